#pragma once

#include <QString>
#include <stdexcept>

namespace kestrune::check {

// A condition text that is no formula of field names, numbers, + * = <> < <=
// > >= and or and parentheses. The built-in rules never raise it; a test
// compiles them all.
class ConditionSyntaxError : public std::runtime_error {
public:
    ConditionSyntaxError(const QString& text, int position)
        : std::runtime_error(text.toStdString()), text_(text), position_(position) {}

    const QString& text() const { return text_; }
    int position() const { return position_; } // 0-based, in the condition text

private:
    QString text_;
    int position_;
};

} // namespace kestrune::check
