#include "CapturedConsole.h"

#include <QByteArray>

namespace kestrune::testing {

CapturedConsole::CapturedConsole(bool quiet)
    : out_(std::tmpfile()), err_(std::tmpfile()), ui(out_, err_) {
    ui.setQuiet(quiet);
}

CapturedConsole::~CapturedConsole() {
    std::fclose(out_);
    std::fclose(err_);
}

QString CapturedConsole::read(FILE* file) {
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}

} // namespace kestrune::testing
