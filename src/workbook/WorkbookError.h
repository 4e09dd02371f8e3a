#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::workbook {

// A workbook that cannot be read, changed as asked or written.
class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace kestrune::workbook
