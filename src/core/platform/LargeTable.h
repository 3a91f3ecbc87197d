// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Storage for the program's few large tables (the word table is 3.8 MB):
// on Linux in memory of its own, aligned so that the kernel may back it
// with 2 MB pages. Such a table is then made with a couple of page faults
// instead of a thousand, which is most of what making it costs on a
// virtual machine, and reading it later misses the address cache less.
// Smaller blocks, and other systems, get plain heap memory.
#include <cstddef>

namespace kelvora {

// Memory for `bytes`; throws std::bad_alloc when there is none.
void* AllocateTable(std::size_t bytes);
// Gives back what AllocateTable returned for the same `bytes`.
void FreeTable(void* p, std::size_t bytes) noexcept;

template <class T>
struct LargeTableAllocator {
    using value_type = T;
    LargeTableAllocator() = default;
    template <class U>
    LargeTableAllocator(const LargeTableAllocator<U>&) {}

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateTable(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeTable(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeTableAllocator<U>&) const {
        return true;
    }
};

}  // namespace kelvora
