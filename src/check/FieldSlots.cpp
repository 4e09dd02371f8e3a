#include "FieldSlots.h"

#include <QSet>

namespace kestrune::check {

int FieldSlots::slotFor(const QString& name) {
    const QString key = name.toLower();
    const auto found = slots_.constFind(key);
    if (found != slots_.constEnd())
        return found.value();
    const int slot = size();
    names_ << key;
    realValued_.push_back(isRealValuedField(key));
    slots_.insert(key, slot);
    return slot;
}

int FieldSlots::find(const QString& name) const {
    return slots_.value(name.toLower(), -1);
}

bool isRealValuedField(const QString& name) {
    static const QSet<QString> real = {
        QStringLiteral("b012"), QStringLiteral("b014"), QStringLiteral("b023"),
        QStringLiteral("b024"), QStringLiteral("s021"), QStringLiteral("e003"),
        QStringLiteral("y004"), QStringLiteral("y005"), QStringLiteral("y006"),
        QStringLiteral("y007"), QStringLiteral("y010")};
    return real.contains(name.toLower());
}

} // namespace kestrune::check
