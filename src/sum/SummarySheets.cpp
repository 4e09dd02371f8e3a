#include "SummarySheets.h"

#include <QMap>
#include <stdexcept>

namespace kestrune::sum {

namespace {

using Kind = SummaryItem::Kind;

// A run of fields "z001".."z004" of one prefix.
void addRun(std::vector<SummaryItem>& items, const QString& prefix, int first, int last) {
    for (int n = first; n <= last; ++n)
        items.push_back(
            {Kind::Sum, prefix + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')), QString()});
}

void addYesNo(std::vector<SummaryItem>& items, const QString& field) {
    items.push_back({Kind::Yes, field, QString()});
    items.push_back({Kind::NoOrZero, field, QString()});
}

// The sheet table written compactly: "z001-z004" is a run of sums, "z005 yn"
// a yes/no field, "d017 w d012" a weighted mean, "count" the record count.
std::vector<SummaryItem> parseItems(const QString& spec) {
    std::vector<SummaryItem> items;
    for (const QString& part : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words[0] == QLatin1String("count")) {
            items.push_back({Kind::Count, QString(), QString()});
        } else if (words.size() == 2 && words[1] == QLatin1String("yn")) {
            addYesNo(items, words[0]);
        } else if (words.size() == 3 && words[1] == QLatin1String("w")) {
            items.push_back({Kind::WeightedMean, words[0], words[2]});
        } else if (words[0].contains(QLatin1Char('-'))) {
            const QString from = words[0].section(QLatin1Char('-'), 0, 0);
            const QString to = words[0].section(QLatin1Char('-'), 1, 1);
            addRun(items, from.left(1), from.mid(1).toInt(), to.mid(1).toInt());
        } else {
            items.push_back({Kind::Sum, words[0], QString()});
        }
    }
    return items;
}

struct SheetSource {
    int number;
    const char* title;
    const char* items;
};

const SheetSource kSheets[] = {
    {2, "表一  工会组织建设及民主参与状况(1)", "count, z001-z004, z005 yn"},
    {3, "表一  工会组织建设及民主参与状况(2)", "z006, z007, z008 yn, z009-z011"},
    {4, "表二  工会干部协管及教育培训工作(1)",
     "x001-x003, x004 yn, x005 yn, x006 yn, x007 yn, x008-x012"},
    {5, "表二  工会干部协管及教育培训工作(2)", "x013-x018"},
    {6, "表三  工会权益保障及集体合同工作(1)", "b001-b014"},
    {7, "表三  工会权益保障及集体合同工作(2)", "b015-b024"},
    {8, "表三  工会权益保障及集体合同工作(3)", "b025 yn, b026-b033, b034 yn, b035"},
    {9, "表四  工会法律工作(1)", "f001, f002, f003 yn, f004-f006, f007 yn, f008 yn, f009"},
    {10, "表四  工会法律工作(2)", "f010-f014, f015 yn, f016-f018"},
    {11, "表五  工会劳动保护工作", "l001 yn, l002-l007"},
    {12, "表六  工会经济技术工作(1)", "j001-j010"},
    {13, "表六  工会经济技术工作(2)", "j011-j019"},
    {14, "表七  工会财务和经费审查工作(1)",
     "s001 yn, s002 yn, s003 yn, s004 yn, s005 yn, s006 yn, s007 yn"},
    {15, "表七  工会财务和经费审查工作(2)", "s008-s013"},
    {16, "表七  工会财务和经费审查工作(3)", "s014-s017, s018 yn, s019 yn, s020 yn, s021"},
    {17, "表八  工会宣传教育和职工文化体育工作", "w001-w005"},
    {18, "表九  工会社会联络工作", "e001-e004"},
    {19, "表十  工会网络工作", "n001-n003"},
    {20, "表十一  工会国际交流工作", "g001-g004"},
    {21, "附表1  工会干部队伍情况(1)", "d001-d013"},
    {22, "附表1  工会干部队伍情况(2)", "d014-d016, d017 w d012, d018-d023"},
    {23, "附表1续  工会领导班子情况(1)", "d024-d027, d028 yn, d029, d030, d031 w x001"},
    {24, "附表1续  工会领导班子情况(2)", "d032-d041"},
    {25, "附表2  工会经费审查工作情况", "y001-y012"},
};

const std::vector<SummarySheet>& allSheets() {
    static const std::vector<SummarySheet> sheets = [] {
        std::vector<SummarySheet> built;
        for (const SheetSource& s : kSheets)
            built.push_back(
                {s.number, QString::fromUtf8(s.title), parseItems(QString::fromUtf8(s.items))});
        return built;
    }();
    return sheets;
}

} // namespace

QString SummaryItem::name() const {
    switch (kind) {
    case Kind::Count:
        return QStringLiteral("cnt");
    case Kind::Yes:
        return QStringLiteral("sum_%1_1").arg(field);
    case Kind::NoOrZero:
        return QStringLiteral("sum_%1_2").arg(field);
    case Kind::Sum:
    case Kind::WeightedMean:
        break;
    }
    return QStringLiteral("sum_") + field;
}

QString SummaryItem::expression() const {
    const QString f = field;
    switch (kind) {
    case Kind::Count:
        return QStringLiteral("count(*) as cnt");
    case Kind::Sum:
        return QStringLiteral("sum(%1) as sum_%1").arg(f);
    case Kind::Yes:
        return QStringLiteral("sum(%1*(2-%1)) as sum_%1_1").arg(f);
    case Kind::NoOrZero:
        return QStringLiteral("sum(int(%1/2) + (2-%1)*(1-%1)/2) as sum_%1_2").arg(f);
    case Kind::WeightedMean: {
        // d017 carries two spaces before "as", d031 one: the texts as they
        // have always been.
        const QString gap = f == QLatin1String("d017") ? QStringLiteral("  ") : QStringLiteral(" ");
        return QStringLiteral("iif(sum(iif(%1>0,%2,0))>0,sum(%1*%2)/sum(iif(%1>0,%2,0)),0)%3as "
                              "sum_%1")
            .arg(f, weight, gap);
    }
    }
    return QString();
}

QStringList SummarySheet::columns() const {
    QStringList names;
    for (const SummaryItem& item : items) {
        if (!item.field.isEmpty() && !names.contains(item.field))
            names << item.field;
        if (!item.weight.isEmpty() && !names.contains(item.weight))
            names << item.weight;
    }
    return names;
}

bool isSummarySheet(int number) {
    return number >= kFirstSummarySheet && number <= kLastSummarySheet;
}

const SummarySheet& summarySheet(int number) {
    if (!isSummarySheet(number))
        throw std::out_of_range("no summary sheet " + std::to_string(number));
    return allSheets()[size_t(number - kFirstSummarySheet)];
}

QString SumSelectList(int sheet) {
    static const QMap<int, QString> lists = [] {
        QMap<int, QString> built;
        for (const SummarySheet& s : allSheets()) {
            QStringList expressions;
            for (const SummaryItem& item : s.items)
                expressions << item.expression();
            const QString from = s.number == kLastSummarySheet
                                     ? QStringLiteral(" from   dt_data where c901>0")
                                     : QStringLiteral(" from dt_data where c901>0");
            built[s.number] = expressions.join(QLatin1Char(',')) + from;
        }
        return built;
    }();
    summarySheet(sheet); // refuses a sheet number outside 2..25
    return lists.value(sheet);
}

} // namespace kestrune::sum
