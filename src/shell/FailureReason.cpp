#include "FailureReason.h"

namespace kestrune::shell {

QString FailureReason(const db::EngineError& error) {
    switch (error.failure()) {
    case db::EngineFailure::Busy:
        return QStringLiteral("数据库文件正被其他程序使用，请稍后再试。");
    case db::EngineFailure::DiskFull:
        return QStringLiteral("磁盘空间不足，请清理磁盘后再试。");
    case db::EngineFailure::ReadOnly:
        return QStringLiteral("文件或它所在的文件夹不能写入，请检查权限。");
    case db::EngineFailure::NotDatabase:
        return QStringLiteral("数据库文件已经损坏或密码不正确。");
    case db::EngineFailure::Other:
        break;
    }
    return error.text();
}

} // namespace kestrune::shell
