# The indicator query: its conditions (core), its dialogs and result list over
# the main window, and its kestrune-cli command.
kestrune_test(query_tests SOURCES
    query/IndicatorConditionTest.cpp
    query/IndicatorQueryTest.cpp
    query/QueryCommandTest.cpp
    LIBS kestrune_mainwindow kestrune_cli_commands)
