#include "CheckReport.h"

#include "ReportFileError.h"
#include "text/TextCodecError.h"

namespace kestrune::check {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QString kClosingRule(49, u'=');

// The encoder, its failure told as the report's.
text::GbkEncoder openEncoder() {
    try {
        return text::GbkEncoder();
    } catch (const text::TextCodecError& error) {
        throw ReportFileError(error.text());
    }
}

} // namespace

CheckReport::CheckReport(CheckRunState& state) : state_(state), encoder_(openEncoder()) {}

void CheckReport::create(const QString& path, const QDateTime& startTime) {
    file_.reset();
    path_ = path;
    const QByteArray start = head(startTime);

    QSaveFile note(path);
    if (!note.open(QIODevice::WriteOnly))
        fail(note.errorString());
    note.write(start + incompleteNote());
    replaceFile(note);

    file_ = std::make_unique<QSaveFile>(path);
    if (!file_->open(QIODevice::WriteOnly))
        fail(file_->errorString());
    write(start);
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
    writeLine(kClosingRule);
    writeLine(QStringLiteral("共有%1个单位的数据存在逻辑错误！").arg(state_.failedUnits));
    writeLine(QStringLiteral("共有%1个逻辑错误项！").arg(state_.failedItems));
}

void CheckReport::flush() {
    if (file_ && !file_->flush())
        fail(file_->errorString());
}

void CheckReport::commit() {
    if (!file_)
        return;
    const std::unique_ptr<QSaveFile> file = std::move(file_);
    replaceFile(*file);
}

void CheckReport::abandon() {
    if (!file_)
        return;
    const std::unique_ptr<QSaveFile> file = std::move(file_);
    // Unless it is committed, the temporary file goes with the QSaveFile.
    file->write(incompleteNote());
    replaceFile(*file);
}

QByteArray CheckReport::head(const QDateTime& startTime) {
    QByteArray bytes;
    for (const QString& line : {QStringLiteral("#2020基层以上调查表逻辑检查结果"),
                                QStringLiteral("#检查时间：") +
                                    startTime.toString(QStringLiteral("yyyy年MM月dd日 hh:mm")),
                                QString(), QString()})
        bytes += encode(line) + kLineEnd;
    return bytes;
}

QByteArray CheckReport::incompleteNote() {
    return encode(kClosingRule) + kLineEnd + encode(kIncompleteReportLine) + kLineEnd;
}

QByteArray CheckReport::encode(QStringView line) {
    try {
        return encoder_.encode(line);
    } catch (const text::TextCodecError& error) {
        throw ReportFileError(error.text());
    }
}

void CheckReport::writeLine(QStringView line) {
    write(encode(line) + kLineEnd);
}

void CheckReport::write(const QByteArray& bytes) {
    if (file_->write(bytes) != bytes.size())
        fail(file_->errorString());
}

void CheckReport::replaceFile(QSaveFile& file) {
    if (!file.commit())
        fail(file.errorString());
}

void CheckReport::fail(const QString& error) {
    throw ReportFileError(QStringLiteral("无法写入逻辑检查结果文件“%1”：%2").arg(path_, error));
}

} // namespace kestrune::check
