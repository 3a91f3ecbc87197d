// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running Kelvora per data folder: an exclusive lock on the folder
// itself. The system drops it when the process ends, however it ends, and
// it leaves no file behind.
#include <filesystem>

namespace kelvora {

class FolderLock {
public:
    enum class Outcome { Locked, HeldByAnother, Unavailable };
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock for this object; Unavailable when the folder cannot be
    // opened or locked at all (the files' own messages tell why later).
    Outcome Acquire(const std::filesystem::path& folder);
    // Lets the folder go before the program ends.
    void Release();

private:
    int fd_ = -1;
};

}  // namespace kelvora
