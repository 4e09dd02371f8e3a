#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::db {

// What kind of failure the engine met, so that callers can say what happened
// rather than repeat the engine's own words.
enum class EngineFailure {
    Other,
    Busy,        // another program holds the file longer than the busy timeout
    DiskFull,    // no space left for the file or its journal
    ReadOnly,    // the file or its folder cannot be written
    NotDatabase, // a damaged file, another format or a wrong password
};

// Every failure of the database engine layer reaches the caller as this error;
// callers roll back and show their own message with text().
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString& text, EngineFailure failure = EngineFailure::Other)
        : std::runtime_error(text.toStdString()), text_(text), failure_(failure) {}

    const QString& text() const { return text_; }
    EngineFailure failure() const { return failure_; }

private:
    QString text_;
    EngineFailure failure_;
};

// The failure an SQLite result code stands for.
EngineFailure FailureOfResultCode(int code);

} // namespace kestrune::db
