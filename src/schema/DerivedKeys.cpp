#include "DerivedKeys.h"

#include <array>
#include <utility>

namespace kestrune::db {

namespace {

const QString kDatabasePasswordConstant = QStringLiteral("Kx7Rune2Qb");

// Applied in this order; the second pair acts on what the first produced.
constexpr std::array<std::pair<char, char>, 10> kDatabaseSubstitutions{{
    {'K', 'm'},
    {'m', '4'},
    {'x', 'T'},
    {'7', 'p'},
    {'R', 'w'},
    {'u', '9'},
    {'e', 'E'},
    {'2', 'h'},
    {'Z', 'c'},
    {'b', '8'},
}};

void replaceFirst(QString& text, QChar from, QChar to) {
    const qsizetype at = text.indexOf(from);
    if (at >= 0)
        text[at] = to;
}

} // namespace

QString MakeDatabasePassword(const QString& constant) {
    if (constant.isEmpty())
        return QString();
    QString s = constant;
    for (const auto& [from, to] : kDatabaseSubstitutions)
        replaceFirst(s, QLatin1Char(from), QLatin1Char(to));
    if (s.size() >= 4) {
        const QChar second = s[1], third = s[2], fourth = s[3];
        s[1] = fourth;
        s[2] = second;
        s[3] = third;
    }
    if (s.size() >= 10)
        std::swap(s[7], s[9]);
    return s;
}

QString databasePassword() {
    return MakeDatabasePassword(kDatabasePasswordConstant);
}

} // namespace kestrune::db
