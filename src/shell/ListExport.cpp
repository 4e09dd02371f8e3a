#include "ListExport.h"

#include "CodeRange.h"
#include "UserInteraction.h"
#include "schema/Connection.h"
#include "schema/Dataset.h"
#include "schema/Statement.h"

#include <QStringList>

namespace kestrune::shell {

namespace {

const QString kCoverColumns =
    QStringLiteral("select c901,c902,c903,c904,c905,c906,c907,RecordState");

bool isComparison(const QString& symbol) {
    static const QStringList allowed = {QStringLiteral("<"), QStringLiteral("<="),
                                        QStringLiteral(">"), QStringLiteral(">="),
                                        QStringLiteral("="), QStringLiteral("<>")};
    return allowed.contains(symbol.trimmed());
}

GroupItem groupItemOf(const db::Statement& row) {
    GroupItem item;
    for (int i = 0; i < row.columnCount(); ++i) {
        const QString column = row.columnName(i).toLower();
        if (column == QLatin1String("id"))
            item.id = row.int64(i);
        else if (column == QLatin1String("title"))
            item.title = row.text(i);
        else if (column == QLatin1String("lowboundary"))
            item.lowBoundary = row.doubleValue(i);
        else if (column == QLatin1String("highboundary"))
            item.highBoundary = row.doubleValue(i);
        else if (column == QLatin1String("lowsymbol"))
            item.lowSymbol = row.text(i).trimmed();
        else if (column == QLatin1String("highsymbol"))
            item.highSymbol = row.text(i).trimmed();
    }
    return item;
}

} // namespace

std::vector<GroupItem> ReadGroupItems(db::Connection& connection) {
    std::vector<GroupItem> items;
    connection.forEachRow(
        QStringLiteral("select * from DT_GroupItem"), {},
        [&items](const db::Statement& row) { items.push_back(groupItemOf(row)); });
    return items;
}

std::optional<GroupItem> ReadGroupItem(db::Connection& connection, qint64 id) {
    std::optional<GroupItem> item;
    connection.forEachRow(QStringLiteral("select * from DT_GroupItem where id=?"), {id},
                          [&item](const db::Statement& row) { item = groupItemOf(row); });
    return item;
}

QString CollectExportFields(db::Connection& connection, const std::vector<ExportTable>& tables) {
    QString fields;
    for (const ExportTable& table : tables) {
        if (!table.checked)
            continue;
        // The letter may stand anywhere in the name, as the catalogue's
        // names have always been matched.
        connection.forEachRow(
            QStringLiteral("select FieldName from dt_fieldlist where FieldName like ? and "
                           "sequence>=? and sequence<=? order by sequence"),
            {QLatin1Char('%') + table.prefix + QLatin1Char('%'), table.firstSequence,
             table.lastSequence},
            [&fields](const db::Statement& row) { fields += QLatin1Char(',') + row.text(0); });
    }
    return fields;
}

ListStatement BuildListStatement(db::Connection& connection, const QString& fields,
                                 const ListExportRequest& request) {
    ListStatement result;
    ExportQuery query{&connection, kCoverColumns + fields + QStringLiteral(" from dt_data"), {}};
    switch (request.choice) {
    case ListExportChoice::AllRecords:
        break;
    case ListExportChoice::UnitRange: {
        const auto range = ReadCodeRange(request.fromText, request.toText);
        if (!range) {
            result.message = kMissingUnitRangeMessage;
            return result;
        }
        if (range->raised)
            result.raisedToText = request.fromText;
        query.sql += QStringLiteral(" where c901>=? and c901<=?");
        query.params = {range->from, range->to};
        break;
    }
    case ListExportChoice::Group: {
        const auto& group = request.group;
        if (!group || group->lowBoundary == 0 || group->highBoundary == 0 ||
            !isComparison(group->lowSymbol) || !isComparison(group->highSymbol)) {
            result.message = kInvalidGroupMessage;
            return result;
        }
        query.sql += QStringLiteral(" where c901") + group->lowSymbol +
                     QStringLiteral("? and c901") + group->highSymbol + QLatin1Char('?');
        query.params = {group->lowBoundary, group->highBoundary};
        break;
    }
    }
    query.sql += QStringLiteral(" order by c901");
    result.query = query;
    return result;
}

TFieldDataArray ResultDescriptors(const ExportQuery& query) {
    db::Statement statement(*query.connection, query.sql);
    TFieldDataArray descriptors;
    for (int i = 0; i < statement.columnCount(); ++i) {
        TFieldData field;
        field.ID = i + 1;
        field.FieldName = field.ShowName = field.Hint = statement.columnName(i);
        field.FieldWidth = 0;
        const QString declared = statement.declaredType(i);
        switch (ColumnKindOf(declared)) {
        case ColumnKind::Text:
            field.FieldType = QStringLiteral("VARCHAR(%1)").arg(DeclaredTextSize(declared));
            break;
        case ColumnKind::Integer:
        case ColumnKind::LargeInteger:
            field.FieldType = QStringLiteral("INTEGER");
            break;
        case ColumnKind::Date:
        case ColumnKind::DateTime:
            field.FieldType = QStringLiteral("DATE");
            break;
        default:
            field.FieldType = QStringLiteral("DOUBLE");
        }
        field.QueryShow = true;
        descriptors.push_back(field);
    }
    return descriptors;
}

QString ListExportName(const QString& label) {
    return label + QStringLiteral("数据列表");
}

std::optional<PreparedListExport> PrepareListExport(db::Connection& connection,
                                                    const std::vector<ExportTable>& tables,
                                                    const ListExportRequest& request,
                                                    UserInteraction& ui,
                                                    std::optional<QString>* raisedToText) {
    ListStatement statement =
        BuildListStatement(connection, CollectExportFields(connection, tables), request);
    if (raisedToText)
        *raisedToText = statement.raisedToText;
    if (!statement.query) {
        ui.showMessage(statement.message);
        return std::nullopt;
    }
    return PreparedListExport{*statement.query, ResultDescriptors(*statement.query)};
}

} // namespace kestrune::shell

#include "Registry.h"
#include "Settings.h"

namespace kestrune::shell {

void StoreShownPartChoice(bool checked) {
    WriteRegBool(QStringLiteral("CheckBox1"), checked, RegistryRoot::LocalMachine, kDataKey);
}

bool ReadShownPartChoice() {
    return ReadRegInteger(QStringLiteral("CheckBox1"), 0, RegistryRoot::LocalMachine, kDataKey) !=
           0;
}

} // namespace kestrune::shell
