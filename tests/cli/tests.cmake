# Tests of kestrune-cli commands that live in their own files.

kestrune_test(generator_tests SOURCES
    cli/RecordGeneratorTest.cpp
    cli/GenerateCommandTest.cpp
    LIBS kestrune_cli_commands)
