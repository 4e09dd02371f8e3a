#include "FormulaReferences.h"

#include "CellAddress.h"

#include <QRegularExpression>

namespace kestrune::workbook {

namespace {

constexpr int kMaxColumn = 16384;
constexpr int kMaxRow = 1048576;

bool IsNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\';
}

int ColumnNumber(const QString& letters) {
    int column = 0;
    for (QChar c : letters)
        column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
    return column;
}

enum class EndKind { Cell, Row, Column };

std::optional<std::pair<EndKind, ReferenceEnd>> ParseEnd(const QString& text) {
    static const QRegularExpression cell("^(\\$?)([A-Za-z]{1,3})(\\$?)([0-9]{1,7})$");
    static const QRegularExpression column("^(\\$?)([A-Za-z]{1,3})$");
    static const QRegularExpression row("^(\\$?)([0-9]{1,7})$");
    ReferenceEnd end;
    if (auto m = cell.match(text); m.hasMatch()) {
        end.columnAbsolute = !m.captured(1).isEmpty();
        end.column = ColumnNumber(m.captured(2));
        end.rowAbsolute = !m.captured(3).isEmpty();
        end.row = m.captured(4).toInt();
        if (end.column > kMaxColumn || end.row < 1 || end.row > kMaxRow)
            return std::nullopt;
        return std::pair{EndKind::Cell, end};
    }
    if (auto m = column.match(text); m.hasMatch()) {
        end.columnAbsolute = !m.captured(1).isEmpty();
        end.column = ColumnNumber(m.captured(2));
        if (end.column > kMaxColumn)
            return std::nullopt;
        return std::pair{EndKind::Column, end};
    }
    if (auto m = row.match(text); m.hasMatch()) {
        end.rowAbsolute = !m.captured(1).isEmpty();
        end.row = m.captured(2).toInt();
        if (end.row < 1 || end.row > kMaxRow)
            return std::nullopt;
        return std::pair{EndKind::Row, end};
    }
    return std::nullopt;
}

QString FormatEnd(const ReferenceEnd& end) {
    QString text;
    if (end.column > 0)
        text += (end.columnAbsolute ? QStringLiteral("$") : QString()) + ColumnLetters(end.column);
    if (end.row > 0)
        text += (end.rowAbsolute ? QStringLiteral("$") : QString()) + QString::number(end.row);
    return text;
}

qsizetype NameRunEnd(const QString& text, qsizetype from) {
    while (from < text.size() && IsNameCharacter(text[from]))
        ++from;
    return from;
}

} // namespace

std::optional<Reference> ParseReference(const QString& text) {
    const qsizetype colon = text.indexOf(u':');
    const auto first = ParseEnd(colon < 0 ? text : text.left(colon));
    if (!first)
        return std::nullopt;
    Reference reference;
    reference.first = first->second;
    if (colon < 0) {
        if (first->first != EndKind::Cell)
            return std::nullopt; // a lone "B" or "7" is a name or a number
        return reference;
    }
    const auto last = ParseEnd(text.mid(colon + 1));
    if (!last || last->first != first->first)
        return std::nullopt;
    reference.last = last->second;
    return reference;
}

QString FormatReference(const Reference& reference) {
    QString text = reference.prefix + FormatEnd(reference.first);
    if (reference.last)
        text += u':' + FormatEnd(*reference.last);
    return text;
}

QString SheetPrefix(const QString& sheetName) {
    static const QRegularExpression plain("^[A-Za-z_][A-Za-z0-9_.]*$");
    const bool looksLikeReference =
        ParseReference(sheetName).has_value() || ParseEnd(sheetName).has_value();
    if (plain.match(sheetName).hasMatch() && !looksLikeReference)
        return sheetName + u'!';
    QString quoted = sheetName;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + QStringLiteral("'!");
}

QString RewriteReferences(const QString& formula, const ReferenceChange& change) {
    QString out;
    out.reserve(formula.size() + 8);
    const qsizetype n = formula.size();
    qsizetype i = 0;
    bool external = false;
    while (i < n) {
        const QChar c = formula[i];
        if (c == u'"') { // a string constant, "" inside it
            qsizetype j = i + 1;
            while (j < n) {
                if (formula[j] == u'"' && (j + 1 >= n || formula[j + 1] != u'"'))
                    break;
                j += formula[j] == u'"' ? 2 : 1;
            }
            out += formula.mid(i, j + 1 - i);
            i = j + 1;
            continue;
        }
        if (c == u'[') { // a workbook index or a structured reference
            const qsizetype j = formula.indexOf(u']', i);
            const qsizetype end = j < 0 ? n : j + 1;
            out += formula.mid(i, end - i);
            external = true;
            i = end;
            continue;
        }
        Reference reference;
        qsizetype refStart = i;
        if (c == u'\'') { // a quoted sheet name
            qsizetype j = i + 1;
            QString name;
            while (j < n) {
                if (formula[j] == u'\'') {
                    if (j + 1 < n && formula[j + 1] == u'\'') {
                        name += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                name += formula[j++];
            }
            if (j + 1 < n && formula[j + 1] == u'!') {
                reference.sheet = name;
                reference.prefix = formula.mid(i, j + 2 - i);
                refStart = j + 2;
            } else {
                out += formula.mid(i, j + 1 - i);
                i = j + 1;
                continue;
            }
        } else if (IsNameCharacter(c)) {
            const qsizetype runEnd = NameRunEnd(formula, i);
            if (runEnd < n && formula[runEnd] == u'!') {
                reference.sheet = formula.mid(i, runEnd - i);
                reference.prefix = formula.mid(i, runEnd + 1 - i);
                refStart = runEnd + 1;
            }
        } else {
            out += c;
            external = false;
            ++i;
            continue;
        }
        // The reference itself: a name run, optionally ":" and another.
        qsizetype end = NameRunEnd(formula, refStart);
        if (end < n && formula[end] == u':' && end > refStart)
            end = NameRunEnd(formula, end + 1);
        qsizetype next = end;
        while (next < n && formula[next] == u' ')
            ++next;
        const bool isFunction = next < n && formula[next] == u'(';
        std::optional<Reference> parsed;
        if (!isFunction && end > refStart)
            parsed = ParseReference(formula.mid(refStart, end - refStart));
        if (!parsed) {
            // Not a reference: copy the first name run and go on after it.
            const qsizetype runEnd = std::max(NameRunEnd(formula, refStart), refStart);
            const qsizetype stop = runEnd > i ? runEnd : i + 1;
            out += formula.mid(i, stop - i);
            i = stop;
            external = false;
            continue;
        }
        parsed->sheet = reference.sheet;
        parsed->prefix = reference.prefix;
        parsed->external = external;
        external = false;
        const std::optional<QString> replacement = change(*parsed);
        out += replacement ? *replacement : formula.mid(i, end - i);
        i = end;
    }
    return out;
}

Reference ShiftedForInsertedRows(Reference reference, int row, int count) {
    auto shift = [&](ReferenceEnd& end) {
        if (end.row >= row)
            end.row = std::min(end.row + count, kMaxRow);
    };
    shift(reference.first);
    if (reference.last)
        shift(*reference.last);
    return reference;
}

} // namespace kestrune::workbook
