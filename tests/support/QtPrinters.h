#pragma once

#include <QString>
#include <QVariant>
#include <ostream>

// Readable failure messages: Qt texts and values as UTF-8.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QVariant& value, std::ostream* out) {
    *out << value.typeName() << '(' << value.toString().toStdString() << ')';
}
