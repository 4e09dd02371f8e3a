#pragma once

#include "text/GbkEncoder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace kestrune::db {
class Connection;
class Statement;
class StoredValue;
} // namespace kestrune::db

namespace kestrune::exchange {

// One column of the upload text table: a catalogue row with 0 < sequence <
// 1000, in ascending sequence.
struct UploadColumn {
    QString name;
    int queryType = 0;
};

std::vector<UploadColumn> ReadUploadColumns(db::Connection& connection);

// The value rules of the upload text, one per kind of field.
// 0 and 3: the whole number, "0" for an empty field.
QByteArray UploadWholeNumber(const db::StoredValue& value);
// 2: the shortest general form with up to 15 significant digits ("0.1",
// "1234567", "1E-5", "1.5E20"), "0" for an empty field.
QByteArray UploadDecimal(const db::StoredValue& value);
QByteArray UploadDecimal(double value);
// The same, appended to a line being built.
void AppendWholeNumber(QByteArray& out, const db::StoredValue& value);
void AppendDecimal(QByteArray& out, double value);
// 1: every "," becomes "，" when the text holds one; otherwise every "－"
// becomes "-".
QString UploadText(QString text);

// A text that GBK cannot hold: the export writes nothing rather than a "?".
class UploadEncodingError : public std::runtime_error {
public:
    explicit UploadEncodingError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// "记录" + code + "的字段" + field + "含有GBK编码不能表示的字符，不能导出上报数据!"
QString UnencodableMessage(const QString& unitCode, const QString& field);

// Renders the lines of the upload text table in GBK: the header from the
// columns, then one line per row of "select * from dt_data" (columns found
// by name), each value followed by a comma, each line ended by CR LF.
class UploadLineWriter {
public:
    explicit UploadLineWriter(std::vector<UploadColumn> columns);

    QByteArray headerLine();
    // Finds the columns in the statement's row; throws EngineError for a
    // catalogue field that dt_data lacks.
    void bindRow(const db::Statement& row);
    // Appends the line of the row the statement stands on. Throws
    // UploadEncodingError.
    void appendLine(const db::Statement& row, QByteArray& out);

private:
    enum class Rule { Whole, Text, Decimal, State, AsStored };
    static Rule ruleOf(const UploadColumn& column);
    QByteArray encodeStrictly(const QString& text, const db::Statement& row, int column);

    std::vector<UploadColumn> columns_;
    std::vector<int> indexes_;
    std::vector<Rule> rules_;
    int unitCodeIndex_ = -1;
    text::GbkEncoder encoder_;
};

} // namespace kestrune::exchange
