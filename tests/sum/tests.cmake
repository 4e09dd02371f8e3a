# Summation and groups (src/sum): the summary queries, the one-pass
# breakdowns, the summary workbook and its table list.
kestrune_test(sum_tests SOURCES
    sum/SumDatabase.h sum/SumDatabase.cpp
    sum/SumQueriesTest.cpp
    sum/BreakdownPassTest.cpp
    sum/SummaryWorkbookTest.cpp
    sum/SumTableListTest.cpp
    sum/GroupsTest.cpp
    sum/SumCommandTest.cpp
    LIBS kestrune_cli_commands)

# The summation dialog and the group dialogs.
kestrune_test(sum_window_tests SOURCES
    sum/SumDatabase.h sum/SumDatabase.cpp
    sum/SumFormTest.cpp
    LIBS kestrune_widgets kestrune_cli_commands)
