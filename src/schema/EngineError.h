#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::db {

// Every failure of the database engine layer reaches the caller as this error;
// callers roll back and show their own message with text().
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}

    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace kestrune::db
