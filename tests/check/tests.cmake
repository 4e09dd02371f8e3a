# Tests of the logic rules and the batch check (src/check) and of its command.
kestrune_test(check_tests SOURCES
    check/CheckDatabase.h check/CheckDatabase.cpp
    check/RuleTableTest.cpp
    check/RuleEvaluationTest.cpp
    check/ExplainRuleTest.cpp
    check/CheckRunTest.cpp
    check/CheckCommandTest.cpp
    LIBS kestrune_cli_commands)

kestrune_test(page_rule_tests SOURCES check/PageRulesTest.cpp LIBS kestrune_widgets)
