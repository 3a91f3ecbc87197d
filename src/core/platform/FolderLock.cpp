// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace kelvora {

FolderLock::~FolderLock() { Release(); }

void FolderLock::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

FolderLock::Outcome FolderLock::Acquire(const std::filesystem::path& folder) {
    if (fd_ >= 0) return Outcome::Locked;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Outcome::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        return e == EWOULDBLOCK ? Outcome::HeldByAnother : Outcome::Unavailable;
    }
    fd_ = fd;
    return Outcome::Locked;
}

}  // namespace kelvora
