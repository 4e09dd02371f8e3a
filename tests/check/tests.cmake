# Tests of the logic rules and the batch check (src/check) and of its command.
kestrune_test(check_tests SOURCES
    check/CheckDatabase.h check/CheckDatabase.cpp
    check/RuleTableTest.cpp
    check/RuleEvaluationTest.cpp
    check/ExplainRuleTest.cpp
    check/CheckRunTest.cpp
    check/RecordStateResetTest.cpp
    check/CheckCommandTest.cpp
    LIBS kestrune_cli_commands)
# A second check runs as its own process beside the one under test.
add_dependencies(check_tests kestrune-cli)
target_compile_definitions(check_tests PRIVATE KESTRUNE_CLI="$<TARGET_FILE:kestrune-cli>")

kestrune_test(page_rule_tests SOURCES check/PageRulesTest.cpp LIBS kestrune_widgets)
