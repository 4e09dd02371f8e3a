#include "SampleContacts.h"

#include <QHash>

namespace kestrune::cli {

namespace {

const QString kSurnames = QStringLiteral(
    "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏"
    "吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万钱"
    "严覃武戴莫孔向汤");

const QString kGivenNameCharacters = QStringLiteral(
    "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华玉萍红建国志文辉鹏斌宇浩凯丹晨欣悦婷雪琳燕慧玲"
    "春梅海峰亮云飞波卫东立新振永宏庆彬晓雅琴淑兰");

QChar anyOf(const QString& characters, SeededDice& dice) {
    return characters.at(dice.between(0, characters.size() - 1));
}

// The area code of each province's capital, by the province part of the
// region code.
const QHash<int, QString>& capitalAreaCodes() {
    static const QHash<int, QString> codes = {
        {11, "010"},  {12, "022"},  {13, "0311"}, {14, "0351"}, {15, "0471"}, {21, "024"},
        {22, "0431"}, {23, "0451"}, {31, "021"},  {32, "025"},  {33, "0571"}, {34, "0551"},
        {35, "0591"}, {36, "0791"}, {37, "0531"}, {41, "0371"}, {42, "027"},  {43, "0731"},
        {44, "020"},  {45, "0771"}, {46, "0898"}, {50, "023"},  {51, "028"},  {52, "0851"},
        {53, "0871"}, {54, "0891"}, {61, "029"},  {62, "0931"}, {63, "0971"}, {64, "0951"},
        {65, "0991"}};
    return codes;
}

QString digits(int count, SeededDice& dice) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + char16_t(dice.between(0, 9)));
    return text;
}

} // namespace

QString sampleFillerName(SeededDice& dice) {
    QString name = anyOf(kSurnames, dice);
    const int given = dice.chance(0.7) ? 2 : 1;
    for (int i = 0; i < given; ++i)
        name += anyOf(kGivenNameCharacters, dice);
    return name;
}

QString samplePhone(int region, SeededDice& dice) {
    const QString areaCode = capitalAreaCodes().value(region / 10000);
    if (areaCode.isEmpty() || dice.chance(0.3)) {
        static const QString prefixes = QStringLiteral("3578");
        return QStringLiteral("1") + anyOf(prefixes, dice) + digits(9, dice);
    }
    // Local numbers have eight digits and never begin with 0 or 1.
    return areaCode + QLatin1Char('-') + QChar(u'0' + char16_t(dice.between(2, 8))) +
           digits(7, dice);
}

} // namespace kestrune::cli
