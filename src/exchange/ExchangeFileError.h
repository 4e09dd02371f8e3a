#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::exchange {

inline const QString kStreamReadError = QStringLiteral("Stream read error");
inline const QString kStreamWriteError = QStringLiteral("Stream write error");

// A failure reading or writing an exchange file; the text is shown to the
// person as it is.
class ExchangeFileError : public std::runtime_error {
public:
    explicit ExchangeFileError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace kestrune::exchange
