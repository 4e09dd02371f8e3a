#include "CheckReport.h"

#include "ReportFileError.h"

namespace kestrune::check {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

} // namespace

void CheckReport::create(const QString& path, const QDateTime& startTime) {
    close();
    path_ = path;
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(file_.errorString());
    writeLine(u"#2020基层以上调查表逻辑检查结果");
    writeLine(QStringLiteral("#检查时间：") +
              startTime.toString(QStringLiteral("yyyy年MM月dd日 hh:mm")));
    writeLine(u"");
    writeLine(u"");
}

void CheckReport::AppendRuleFailure(QStringView expression, const QString& explanation) {
    if (state_.recordClean) {
        writeLine(QString::number(state_.unitCode, 'f', 0) + QStringLiteral("  ") +
                  state_.unitName + QStringLiteral("的数据有错误"));
        writeLine(QString(80, u'-'));
    }
    QString rule = QStringLiteral("  判断规则：");
    rule += expression;
    writeLine(rule);
    writeLine(QStringLiteral("  规则说明：") + explanation);
    writeLine(u"");
    state_.recordClean = false;
    ++state_.failedItems;
}

void CheckReport::appendTotals() {
    writeLine(QString(49, u'='));
    writeLine(QStringLiteral("共有%1个单位的数据存在逻辑错误！").arg(state_.failedUnits));
    writeLine(QStringLiteral("共有%1个逻辑错误项！").arg(state_.failedItems));
}

void CheckReport::flush() {
    if (file_.isOpen() && !file_.flush())
        fail(file_.errorString());
}

void CheckReport::close() {
    if (!file_.isOpen())
        return;
    const bool flushed = file_.flush();
    const QString error = file_.errorString();
    file_.close();
    if (!flushed)
        fail(error);
}

void CheckReport::writeLine(QStringView line) {
    QByteArray bytes = encoder_.encode(line);
    bytes += kLineEnd;
    if (file_.write(bytes) != bytes.size())
        fail(file_.errorString());
}

void CheckReport::fail(const QString& error) {
    throw ReportFileError(QStringLiteral("无法写入逻辑检查结果文件“%1”：%2").arg(path_, error));
}

} // namespace kestrune::check
