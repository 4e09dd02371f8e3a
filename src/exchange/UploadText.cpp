#include "UploadText.h"

#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/Statement.h"
#include "shell/SurveyTerms.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kestrune::exchange {

namespace {

constexpr int kSignificantDigits = 15;
// Whole numbers below this are written digit by digit; larger ones need the
// exponent form of the general format.
constexpr double kPlainWholeLimit = 1e15;

bool isEmptyField(const db::StoredValue& value) {
    if (value.kind() == db::StoredValue::Kind::Null)
        return true;
    return value.kind() == db::StoredValue::Kind::Text &&
           QByteArrayView(value.utf8()).trimmed().isEmpty();
}

void appendWhole(QByteArray& out, qint64 number) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    out.append(buffer, end - buffer);
}

// "1e+20" -> "1E20", "1.5e-05" -> "1.5E-5": the exponent in its shortest form.
QByteArray shortExponent(const char* text, int length) {
    const QByteArray general(text, length);
    const qsizetype e = general.indexOf('e');
    if (e < 0)
        return general;
    QByteArray result = general.left(e) + 'E';
    qsizetype at = e + 1;
    if (general[at] == '-')
        result += '-';
    if (general[at] == '-' || general[at] == '+')
        ++at;
    while (at < general.size() - 1 && general[at] == '0')
        ++at;
    return result + general.mid(at);
}

QString storedText(const db::StoredValue& value) {
    switch (value.kind()) {
    case db::StoredValue::Kind::Null:
        return QString();
    case db::StoredValue::Kind::Integer:
        return QString::number(value.toInt64());
    case db::StoredValue::Kind::Real:
        return QString::fromLatin1(UploadDecimal(value.toDouble()));
    default:
        return QString::fromUtf8(value.utf8());
    }
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (quint8(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::vector<UploadColumn> ReadUploadColumns(db::Connection& connection) {
    std::vector<UploadColumn> columns;
    connection.forEachRow(QStringLiteral("select fieldName,QueryType from dt_fieldlist where "
                                         "sequence>0 and sequence<1000 order by sequence"),
                          {}, [&](const db::Statement& row) {
                              columns.push_back({row.text(0), int(row.int64(1))});
                          });
    return columns;
}

// The value rules append straight to the line, so that a value costs no
// allocation of its own.
void AppendWholeNumber(QByteArray& out, const db::StoredValue& value) {
    if (isEmptyField(value))
        out += '0';
    else if (value.kind() == db::StoredValue::Kind::Integer)
        appendWhole(out, value.toInt64());
    else // a stored fraction is rounded, halves away from zero
        appendWhole(out, std::llround(value.toNumber()));
}

void AppendDecimal(QByteArray& out, double value) {
    if (value == 0 || !std::isfinite(value)) {
        out += '0';
        return;
    }
    if (value == std::trunc(value) && std::fabs(value) < kPlainWholeLimit) {
        appendWhole(out, qint64(value));
        return;
    }
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::general, kSignificantDigits)
                         .ptr;
    out += shortExponent(buffer, int(end - buffer));
}

QByteArray UploadWholeNumber(const db::StoredValue& value) {
    QByteArray out;
    AppendWholeNumber(out, value);
    return out;
}

QByteArray UploadDecimal(double value) {
    QByteArray out;
    AppendDecimal(out, value);
    return out;
}

QByteArray UploadDecimal(const db::StoredValue& value) {
    if (isEmptyField(value))
        return QByteArrayLiteral("0");
    return UploadDecimal(value.toNumber());
}

QString UploadText(QString text) {
    if (text.contains(QLatin1Char(',')))
        return text.replace(QLatin1Char(','), QChar(u'，'));
    return text.replace(QChar(u'－'), QLatin1Char('-'));
}

QString UnencodableMessage(const QString& unitCode, const QString& field) {
    return QStringLiteral("记录") + unitCode + QStringLiteral("的字段") + field +
           QStringLiteral("含有GBK编码不能表示的字符，不能导出上报数据!");
}

UploadLineWriter::UploadLineWriter(std::vector<UploadColumn> columns)
    : columns_(std::move(columns)) {}

UploadLineWriter::Rule UploadLineWriter::ruleOf(const UploadColumn& column) {
    if (column.name.compare(shell::kRecordStateField, Qt::CaseInsensitive) == 0)
        return Rule::State;
    switch (column.queryType) {
    case int(shell::QueryType::WholeNumber):
    case int(shell::QueryType::YesNo):
        return Rule::Whole;
    case int(shell::QueryType::Text):
        return Rule::Text;
    case int(shell::QueryType::Decimal):
        return Rule::Decimal;
    default:
        return Rule::AsStored;
    }
}

QByteArray UploadLineWriter::headerLine() {
    QByteArray line;
    for (const UploadColumn& column : columns_)
        line += encoder_.encode(column.name) + ',';
    return line + "\r\n";
}

void UploadLineWriter::bindRow(const db::Statement& row) {
    indexes_.clear();
    rules_.clear();
    for (const UploadColumn& column : columns_) {
        int found = -1;
        for (int i = 0; i < row.columnCount() && found < 0; ++i)
            if (row.columnName(i).compare(column.name, Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0)
            throw db::EngineError(QStringLiteral("dt_data没有字段") + column.name);
        indexes_.push_back(found);
        rules_.push_back(ruleOf(column));
        if (column.name.compare(shell::kUnitCodeField, Qt::CaseInsensitive) == 0)
            unitCodeIndex_ = found;
    }
}

QByteArray UploadLineWriter::encodeStrictly(const QString& text, const db::Statement& row,
                                            int column) {
    const QByteArray encoded = encoder_.encode(text);
    // GBK's trail bytes never take the value of "?", so a lost character
    // shows as one "?" more than the text had.
    if (encoded.count('?') != text.count(QLatin1Char('?'))) {
        const QString code = unitCodeIndex_ >= 0
                                 ? QString::fromLatin1(UploadDecimal(row.stored(unitCodeIndex_)))
                                 : QString();
        throw UploadEncodingError(UnencodableMessage(code, columns_[size_t(column)].name));
    }
    return encoded;
}

void UploadLineWriter::appendLine(const db::Statement& row, QByteArray& out) {
    for (size_t c = 0; c < columns_.size(); ++c) {
        const db::StoredValue value = row.stored(indexes_[c]);
        switch (rules_[c]) {
        case Rule::Whole:
            AppendWholeNumber(out, value);
            break;
        case Rule::Decimal:
            if (isEmptyField(value))
                out += '0';
            else
                AppendDecimal(out, value.toNumber());
            break;
        case Rule::State:
            if (!isEmptyField(value))
                AppendWholeNumber(out, value);
            break;
        case Rule::Text:
        case Rule::AsStored: {
            if (value.kind() == db::StoredValue::Kind::Null)
                break;
            QString text = storedText(value);
            // A field of an unknown kind still keeps one value per column.
            text = rules_[c] == Rule::Text ? UploadText(std::move(text))
                                           : text.replace(QLatin1Char(','), QChar(u'，'));
            const QByteArray utf8 = text.toUtf8();
            out += isAscii(utf8) ? utf8 : encodeStrictly(text, row, int(c));
            break;
        }
        }
        out += ',';
    }
    out += "\r\n";
}

} // namespace kestrune::exchange
