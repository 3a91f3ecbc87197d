// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LargeTable.h"

#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kelvora {

namespace {

#ifdef __linux__
constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A table of at least one huge page gets pages of its own.
bool OwnPages(std::size_t bytes) { return bytes >= kHugePage; }

std::size_t Rounded(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
#endif

}  // namespace

void* AllocateTable(std::size_t bytes) {
#ifdef __linux__
    if (OwnPages(bytes)) {
        // Mapped a huge page larger than asked, then trimmed to start on a
        // huge page boundary.
        const std::size_t size = Rounded(bytes);
        void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) throw std::bad_alloc();
        auto* start = static_cast<char*>(mapped);
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(start);
        const std::size_t lead = (kHugePage - at % kHugePage) % kHugePage;
        if (lead) ::munmap(start, lead);
        ::munmap(start + lead + size, kHugePage - lead);
        start += lead;
        ::madvise(start, size, MADV_HUGEPAGE);  // a wish: the kernel may not have huge pages to give
        return start;
    }
#endif
    return ::operator new(bytes);
}

void FreeTable(void* p, std::size_t bytes) noexcept {
#ifdef __linux__
    if (OwnPages(bytes)) {
        ::munmap(p, Rounded(bytes));
        return;
    }
#endif
    ::operator delete(p);
}

}  // namespace kelvora
