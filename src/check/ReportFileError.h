#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::check {

// The check report could not be created or written; the run stops with it.
class ReportFileError : public std::runtime_error {
public:
    explicit ReportFileError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}

    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace kestrune::check
