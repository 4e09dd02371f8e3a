#pragma once

#include "shell/ConsoleInteraction.h"

#include <QString>
#include <cstdio>

namespace kestrune::testing {

// A console whose messages land in files the test reads back.
class CapturedConsole {
public:
    explicit CapturedConsole(bool quiet = true);
    ~CapturedConsole();
    CapturedConsole(const CapturedConsole&) = delete;
    CapturedConsole& operator=(const CapturedConsole&) = delete;

    QString messages() const { return read(out_); } // what went to standard output
    QString errors() const { return read(err_); }   // what went to standard error

private:
    static QString read(FILE* file);
    FILE* out_;
    FILE* err_;

public:
    shell::ConsoleInteraction ui;
};

} // namespace kestrune::testing
