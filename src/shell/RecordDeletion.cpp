#include "RecordDeletion.h"

#include "RecordList.h"
#include "UserInteraction.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/SqlText.h"
#include "schema/Transaction.h"

namespace kestrune::shell {

namespace {

void deleteCodes(db::Connection& connection, const QString& table, const QString& keyColumn,
                 const QVariantList& codes) {
    QStringList marks;
    for (qsizetype i = 0; i < codes.size(); ++i)
        marks << QStringLiteral("?");
    db::Transaction transaction(connection);
    connection.execute(
        QStringLiteral("delete from %1 where %2 in (%3)")
            .arg(db::quoteName(table), db::quoteName(keyColumn), marks.join(QLatin1Char(','))),
        codes);
    transaction.commit();
}

bool runDeletion(RecordList& list, db::Connection& connection, UserInteraction& ui,
                 const QString& table, const QString& keyColumn, const QVariantList& codes) {
    try {
        deleteCodes(connection, table, keyColumn, codes);
    } catch (const db::EngineError& e) {
        ui.showMessage(e.text(), MessageKind::Error);
        return false;
    }
    std::vector<double> deleted;
    for (const QVariant& code : codes)
        deleted.push_back(code.toDouble());
    list.requeryAfterDeleting(deleted);
    return true;
}

} // namespace

bool DeleteSelectedRecords(RecordList& list, const std::vector<int>& selectedRows,
                           const QString& table, const QString& keyColumn,
                           db::Connection& connection, UserInteraction& ui,
                           const std::function<void(int row)>& showRow) {
    if (list.isEmpty())
        return false;
    if (selectedRows.size() < 2) {
        if (list.currentRow() < 0)
            return false;
        if (ui.askQuestion(kDeleteQuestion, Question::Yes | Question::No) != Question::ResultYes)
            return false;
        return runDeletion(list, connection, ui, table, keyColumn, {*list.currentCode()});
    }
    for (size_t i = 0; i < selectedRows.size(); ++i) {
        if (list.isEmpty())
            return false;
        list.setCurrentRow(selectedRows[i]);
        if (showRow)
            showRow(list.currentRow());
        const int answer = ui.askQuestion(kDeleteQuestion, Question::No | Question::YesToAll);
        if (answer == Question::ResultYesToAll) {
            QVariantList codes;
            for (size_t j = i; j < selectedRows.size(); ++j)
                codes << list.codeAt(selectedRows[j]);
            return runDeletion(list, connection, ui, table, keyColumn, codes);
        }
        if (answer == Question::ResultNo)
            return false;
    }
    return false;
}

QString DeleteRangeStatement(const CodeRange& range) {
    // The bounds are numbers read from digit-only edits, written with two decimals.
    return QStringLiteral("delete from dt_data where c901>=%1 and c901<=%2")
        .arg(db::formatUnitCode(range.from), db::formatUnitCode(range.to));
}

std::vector<double> CodesInRange(const RecordList& list, const CodeRange& range) {
    std::vector<double> codes;
    for (int row = 0; row < list.rowCount(); ++row) {
        const double code = list.codeAt(row);
        if (code >= range.from && code <= range.to)
            codes.push_back(code);
    }
    return codes;
}

namespace {

bool confirmedDelete(db::Connection& connection, UserInteraction& ui, const QString& sql) {
    if (!ui.confirm(kDeleteWarning, QStringLiteral("警告信息")))
        return false;
    try {
        db::Transaction transaction(connection);
        connection.execute(sql);
        transaction.commit();
    } catch (const db::EngineError& e) {
        ui.showMessage(e.text(), MessageKind::Error);
        return false;
    }
    return true;
}

} // namespace

bool DeleteAllRecords(db::Connection& connection, UserInteraction& ui) {
    return confirmedDelete(connection, ui, QStringLiteral("delete from dt_data"));
}

bool DeleteRecordRange(const CodeRange& range, db::Connection& connection, UserInteraction& ui) {
    return confirmedDelete(connection, ui, DeleteRangeStatement(range));
}

} // namespace kestrune::shell
