# Printing the annual report (src/exchange), the hand-over of filled
# workbooks (src/shell) and the print command of kestrune-cli.
kestrune_test(print_tests SOURCES
    exchange/PrintDatabase.h exchange/PrintDatabase.cpp
    exchange/AnnualReportTest.cpp
    shell/HandOverTest.cpp
    LIBS kestrune_cli_commands)

# The print command of the main window and the entry dialog's print button.
kestrune_test(print_window_tests SOURCES
    exchange/PrintDatabase.h exchange/PrintDatabase.cpp
    exchange/PrintFromWindowsTest.cpp
    LIBS kestrune_mainwindow kestrune_cli_commands)

# The exchange file formats and the upload exports.
kestrune_test(upload_tests SOURCES
    exchange/ExchangeFormatTest.cpp
    exchange/UploadExportTest.cpp
    LIBS kestrune_cli_commands)

# The two upload commands of the main window.
kestrune_test(upload_window_tests SOURCES exchange/UploadFromWindowTest.cpp
    LIBS kestrune_mainwindow)

# The data import: exchange files and backups of other units, the conflict
# report and the import command of kestrune-cli.
kestrune_test(import_tests SOURCES
    exchange/ImportFiles.h exchange/ImportFiles.cpp
    exchange/ImportTest.cpp
    exchange/ImportCommandTest.cpp
    LIBS kestrune_cli_commands)

# The data import from the main window.
kestrune_test(import_window_tests SOURCES
    exchange/ImportFiles.h exchange/ImportFiles.cpp
    exchange/ImportFromWindowTest.cpp
    LIBS kestrune_mainwindow)

# Group export and import: the group files, the group list's buttons and the
# groups command of kestrune-cli.
kestrune_test(group_transfer_tests SOURCES exchange/GroupTransferTest.cpp
    LIBS kestrune_widgets kestrune_cli_commands)
