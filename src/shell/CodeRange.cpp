#include "CodeRange.h"

namespace kestrune::shell {

std::optional<CodeRange> ReadCodeRange(const QString& fromText, const QString& toText) {
    const auto number = [](const QString& text) {
        return text.trimmed().isEmpty() ? 0.0 : text.trimmed().toDouble();
    };
    CodeRange range{number(fromText), number(toText), false};
    if (range.from == 0 || range.to == 0)
        return std::nullopt;
    if (range.to < range.from) {
        range.to = range.from;
        range.raised = true;
    }
    return range;
}

} // namespace kestrune::shell
