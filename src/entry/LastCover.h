#pragma once

#include <QString>

namespace kestrune::entry {

// The region, filler and phone of the last formal save, proposed for the
// next new record ("AppLastCity" under EnvSetting, "c905" and "c906" under Data).
struct LastCover {
    int region = 0;
    QString filler;
    QString phone;
};

LastCover ReadLastCover();
void StoreLastCover(const LastCover& cover);

} // namespace kestrune::entry
