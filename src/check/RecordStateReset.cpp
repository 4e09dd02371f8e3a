#include "RecordStateReset.h"

#include "schema/Connection.h"
#include "shell/UserInteraction.h"

namespace kestrune::check {

bool ResetAllRecordStates(db::Connection& connection, shell::UserInteraction& ui) {
    if (!ui.confirm(QStringLiteral("所有记录的状态都将被设为“无逻辑错误”，确实要这样做吗？")))
        return false;
    connection.execute(QStringLiteral("update dt_data set RecordState=1"));
    return true;
}

} // namespace kestrune::check
