#include "LargeBuffer.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kestrune::db {

QByteArray LargeBuffer(qsizetype size) {
    QByteArray buffer(size, Qt::Uninitialized);
#ifdef __linux__
    constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + std::uintptr_t(size)) & ~(kHugePage - 1);
    // Only advice: where the kernel declines, the buffer works as before.
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
    return buffer;
}

} // namespace kestrune::db
