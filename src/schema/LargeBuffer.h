#pragma once

#include <QByteArray>

namespace kestrune::db {

// An uninitialised buffer for a whole database file. Tens of megabytes of
// fresh memory otherwise cost one page fault per 4 KiB on first touch, which
// took longer than decrypting them; on Linux the buffer is offered huge pages.
QByteArray LargeBuffer(qsizetype size);

} // namespace kestrune::db
