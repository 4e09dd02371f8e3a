#pragma once

#include <QString>
#include <QVariantList>

namespace kestrune::db {
class Connection;
class Statement;
} // namespace kestrune::db

namespace kestrune::shell {

// The rows an export writes: a statement over an open connection with its
// values bound. The exports read it row by row, never all at once.
struct ExportQuery {
    db::Connection* connection = nullptr;
    QString sql;
    QVariantList params;
};

// The number of rows the query returns.
qint64 CountQueryRows(const ExportQuery& query);

// What a result column holds, read from its declared type.
enum class ColumnKind {
    Text,
    Boolean,
    Date,
    DateTime,
    Time,
    Bytes,
    Decimal, // floating-point, currency and fixed-point numbers
    Integer, // small and ordinary integers
    LargeInteger,
    Other, // an expression without a declared type
};

ColumnKind ColumnKindOf(const QString& declaredType);
// The declared size of a text column ("VARCHAR(60)" -> 60), 255 without one.
int DeclaredTextSize(const QString& declaredType);

// The "数据导出...n%" caption of the progress window.
QString ExportCaption(qint64 done, qint64 total);

class UserInteraction;

// Shows that caption to `ui` (when there is one) whenever the percent changes.
class ExportCaptionShown {
public:
    explicit ExportCaptionShown(UserInteraction* ui) : ui_(ui) {}
    void show(qint64 done, qint64 total);

private:
    UserInteraction* ui_;
    qint64 shownPercent_ = -1;
};

inline const QString kExportErrorAdvice = QStringLiteral(",请与系统管理员或软件发行者联系。");
inline const QString kExportCaptionPrefix = QStringLiteral("数据导出...");

} // namespace kestrune::shell
