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

const QString kUploadKeyConstant = QStringLiteral("Wq3nVe8TkLr5Ma2D");

constexpr std::array<std::pair<char, char>, 16> kUploadSubstitutions{{
    {'W', 'g'},
    {'g', 'Z'},
    {'q', '7'},
    {'3', 'x'},
    {'n', 'N'},
    {'V', 'b'},
    {'e', '4'},
    {'8', 'c'},
    {'T', 'u'},
    {'k', 'P'},
    {'L', 'y'},
    {'r', '0'},
    {'5', 's'},
    {'M', 'h'},
    {'a', 'J'},
    {'y', '6'},
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

QString MakeUploadKey(const QString& constant) {
    if (constant.isEmpty())
        return QString();
    QString s = constant;
    for (const auto& [from, to] : kUploadSubstitutions)
        replaceFirst(s, QLatin1Char(from), QLatin1Char(to));
    if (s.size() >= 16)
        std::swap(s[1], s[15]);
    if (s.size() >= 9)
        std::swap(s[7], s[8]);
    return s;
}

QString uploadKey() {
    return MakeUploadKey(kUploadKeyConstant);
}

QString databasePassword() {
    return MakeDatabasePassword(kDatabasePasswordConstant);
}

} // namespace kestrune::db
