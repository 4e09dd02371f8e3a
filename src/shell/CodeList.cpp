#include "CodeList.h"

#include "UserInteraction.h"
#include "schema/Connection.h"
#include "schema/EngineError.h"
#include "schema/SqlText.h"

namespace kestrune::shell {

TMenuItemDataArray LoadCodeList(db::Connection& connection, const QString& table) {
    TMenuItemDataArray codes;
    db::Dataset rows =
        connection.query(QStringLiteral("select ID, Name from %1 where ID<>0 order by Sequence")
                             .arg(db::quoteName(table)));
    for (; !rows.eof(); rows.next())
        codes.push_back({int(rows.field(QStringLiteral("ID")).asInteger()),
                         rows.field(QStringLiteral("Name")).asText()});
    return codes;
}

QString CodeToName(const TMenuItemDataArray& codes, int code) {
    for (const TCode& c : codes) {
        if (c.ID == code)
            return c.Name;
    }
    return QString();
}

int NameToCode(const TMenuItemDataArray& codes, const QString& name) {
    for (const TCode& c : codes) {
        if (c.Name == name)
            return c.ID;
    }
    return 0;
}

RegionParts SplitRegionCode(int code) {
    return {code / 10000, code % 10000 / 100, code % 100};
}

QString RegionFullName(db::Connection& connection, int code, UserInteraction& ui) {
    if (code <= 99999)
        return QString();
    try {
        return connection
            .scalar(QStringLiteral("Select CombName from CT_CityName where ID=?"), {code})
            .toString();
    } catch (const db::EngineError& e) {
        ui.showRuntimeError(e.text(), QStringLiteral(",请与系统管理员或软件发行者联系。"));
        return QString();
    }
}

} // namespace kestrune::shell
