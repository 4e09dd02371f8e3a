#include "StreamedSheetXml.h"

#include <charconv>
#include <cmath>

namespace kestrune::workbook {

namespace {

void appendColumnLetters(std::string& out, int column) {
    char letters[4];
    int count = 0;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters[count++] = char('A' + digit);
        column = (column - 1) / 26;
    }
    while (count > 0)
        out += letters[--count];
}

void appendInteger(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void openCell(std::string& out, int row, int column, int style, const char* type) {
    out += "<c r=\"";
    AppendCellReference(out, row, column);
    out += '"';
    if (style > 0) {
        out += " s=\"";
        appendInteger(out, style);
        out += '"';
    }
    if (type) {
        out += " t=\"";
        out += type;
        out += '"';
    }
    out += '>';
}

// XML 1.0 carries tab, line feed and carriage return among the control
// characters, nothing else; a spreadsheet writes the others as _xHHHH_.
bool needsEscape(char16_t c) {
    return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || c == 0xFFFE || c == 0xFFFF;
}

void appendEscaped(std::string& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    bool plain = true;
    for (char c : utf8) {
        if (c == '&' || c == '<' || c == '>' || c == '"' || (unsigned char)c < 0x20 ||
            (unsigned char)c == 0xEF) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out.append(utf8.constData(), size_t(utf8.size()));
        return;
    }
    QString escaped;
    escaped.reserve(text.size() + 16);
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (needsEscape(c))
            escaped += QStringLiteral("_x%1_").arg(
                QString::number(int(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        else if (c == u'&')
            escaped += QLatin1String("&amp;");
        else if (c == u'<')
            escaped += QLatin1String("&lt;");
        else if (c == u'>')
            escaped += QLatin1String("&gt;");
        else if (c == u'"')
            escaped += QLatin1String("&quot;");
        else
            escaped += qc;
    }
    const QByteArray bytes = escaped.toUtf8();
    out.append(bytes.constData(), size_t(bytes.size()));
}

} // namespace

void AppendCellReference(std::string& out, int row, int column) {
    appendColumnLetters(out, column);
    appendInteger(out, row);
}

void AppendNumberCell(std::string& out, int row, int column, double value, int style) {
    if (!std::isfinite(value)) {
        openCell(out, row, column, style, "e");
        out += "<v>#NUM!</v></c>";
        return;
    }
    openCell(out, row, column, style, nullptr);
    out += "<v>";
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
    out += "</v></c>";
}

void AppendTextCell(std::string& out, int row, int column, const QString& text, int style) {
    openCell(out, row, column, style, "inlineStr");
    out += "<is><t xml:space=\"preserve\">";
    appendEscaped(out, text);
    out += "</t></is></c>";
}

std::string XmlEscaped(const QString& text) {
    std::string out;
    appendEscaped(out, text);
    return out;
}

} // namespace kestrune::workbook
