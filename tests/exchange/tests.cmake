# Printing the annual report (src/exchange), the hand-over of filled
# workbooks (src/shell) and the print command of kestrune-cli.
kestrune_test(print_tests SOURCES
    exchange/PrintDatabase.h exchange/PrintDatabase.cpp
    exchange/AnnualReportTest.cpp
    shell/HandOverTest.cpp
    LIBS kestrune_cli_commands)

