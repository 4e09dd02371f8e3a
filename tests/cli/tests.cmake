# Tests of kestrune-cli commands that live in their own files.
