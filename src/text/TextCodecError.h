#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::text {

// A text could not be converted: the system lacks the converter, or the
// converter failed for another reason than a character without a code.
class TextCodecError : public std::runtime_error {
public:
    explicit TextCodecError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}

    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace kestrune::text
