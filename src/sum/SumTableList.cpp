#include "SumTableList.h"

#include "text/GbkDecoder.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace kestrune::sum {

namespace {

const char* const kItems[] = {
    "封面",
    "//表一 工会组织建设及民主参与状况",
    "工会组织建设及民主参与状况统计表1",
    "工会组织建设及民主参与状况统计表2",
    "//表二 工会干部协管及教育培训工作",
    "工会干部协管及教育培训工作统计表1",
    "工会干部协管及教育培训工作统计表2",
    "//表三 工会权益保障及集体合同工作",
    "工会权益保障及集体合同工作统计表1",
    "工会权益保障及集体合同工作统计表2",
    "工会权益保障及集体合同工作统计表3",
    "//表四 工会法律工作",
    "工会法律工作统计表1",
    "工会法律工作统计表2",
    "//表五 工会劳动保护工作",
    "工会劳动保护工作统计表",
    "//表六 工会经济技术工作",
    "工会经济技术工作统计表1",
    "工会经济技术工作统计表2",
    "//表七 工会财务和经费审查工作",
    "工会财务和经费审查工作统计表1",
    "工会财务和经费审查工作统计表2",
    "工会财务和经费审查工作统计表3",
    "//表八 工会宣传教育和职工文化体育工作",
    "工会宣传教育和职工文化体育工作统计表",
    "//表九 工会社会联络工作",
    "工会社会联络工作统计表",
    "//表十 工会网络工作",
    "工会网络工作统计表",
    "//表十一 工会国际交流工作",
    "工会国际交流工作统计表",
    "//附表1 工会干部队伍情况",
    "工会干部队伍情况统计表1",
    "工会干部队伍情况统计表2",
    "//附表1续 工会领导班子情况",
    "工会领导班子情况统计表1",
    "工会领导班子情况统计表2",
    "//附表2 工会经费审查工作情况",
    "工会经费审查工作情况统计表",
};

// The file's text: UTF-8 as this program writes it, or GBK as older copies
// of the file may be.
QString decodeFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    try {
        return text::GbkDecoder().decode(bytes);
    } catch (...) {
        return QString();
    }
}

} // namespace

SumTableList::SumTableList() {
    for (const char* text : kItems) {
        SumTableItem item;
        item.text = QString::fromUtf8(text);
        item.enabled = !item.isHeading();
        items_.push_back(item);
    }
}

void SumTableList::setChecked(int index, bool checked) {
    if (index >= 0 && size_t(index) < items_.size() && items_[size_t(index)].enabled)
        items_[size_t(index)].checked = checked;
}

void SumTableList::checkAll(bool checked) {
    for (SumTableItem& item : items_)
        if (item.enabled)
            item.checked = checked;
}

void SumTableList::activate(int index) {
    if (index < 0 || size_t(index) >= items_.size() || !items_[size_t(index)].isHeading())
        return;
    for (size_t i = size_t(index) + 1; i < items_.size() && !items_[i].isHeading(); ++i)
        items_[i].checked = true;
}

int SumTableList::sheetOf(int index) const {
    if (index < 0 || size_t(index) >= items_.size() || items_[size_t(index)].isHeading())
        return 0;
    int sheet = 0;
    for (int i = 0; i <= index; ++i)
        if (!items_[size_t(i)].isHeading())
            ++sheet;
    return sheet;
}

std::vector<int> SumTableList::checkedSheets() const {
    std::vector<int> sheets;
    int sheet = 0;
    for (const SumTableItem& item : items_) {
        if (item.isHeading())
            continue;
        ++sheet;
        if (item.checked)
            sheets.push_back(sheet);
    }
    return sheets;
}

void SumTableList::parse(const QString& text) {
    checkAll(false);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && size_t(i) < items_.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        bool checked = false;
        QString itemText = line;
        if (line.startsWith(QLatin1Char('&'))) {
            // "&1 1 text": enabled flag, check state, text.
            const QStringList parts = line.mid(1).split(QLatin1Char(' '));
            if (parts.size() < 3)
                continue;
            checked = parts[1] == QLatin1String("1");
            itemText = line.mid(1).section(QLatin1Char(' '), 2);
        }
        SumTableItem& item = items_[size_t(i)];
        if (itemText.trimmed() == item.text.trimmed() && item.enabled)
            item.checked = checked;
    }
}

QString SumTableList::format() const {
    QString text;
    for (const SumTableItem& item : items_)
        text += QStringLiteral("&%1 %2 %3\r\n")
                    .arg(item.enabled ? 1 : 0)
                    .arg(item.checked ? 1 : 0)
                    .arg(item.text);
    return text;
}

void SumTableList::load(const QString& path) {
    checkAll(false);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    parse(decodeFile(file.readAll()));
}

bool SumTableList::save(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(format().toUtf8());
    return file.commit();
}

SumChoice ChooseSummation(const std::vector<int>& checkedSheets) {
    if (checkedSheets.empty())
        return SumChoice::Nothing;
    if (checkedSheets.size() == 1 && checkedSheets.front() == 1)
        return SumChoice::CoverOnly;
    return SumChoice::Summarise;
}

} // namespace kestrune::sum
