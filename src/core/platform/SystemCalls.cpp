// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemCalls.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kelvora {

int SystemCalls::Open(const char* path, int flags, mode_t mode) const { return ::open(path, flags, mode); }
ssize_t SystemCalls::Write(int fd, const void* data, std::size_t size) const { return ::write(fd, data, size); }
int SystemCalls::Fsync(int fd) const { return ::fsync(fd); }
int SystemCalls::Fchmod(int fd, mode_t mode) const { return ::fchmod(fd, mode); }
int SystemCalls::Close(int fd) const { return ::close(fd); }
int SystemCalls::Rename(const char* from, const char* to) const { return std::rename(from, to); }
int SystemCalls::Unlink(const char* path) const { return ::unlink(path); }
int SystemCalls::Stat(const char* path, struct stat* st) const { return ::stat(path, st); }
int SystemCalls::Lstat(const char* path, struct stat* st) const { return ::lstat(path, st); }
ssize_t SystemCalls::Readlink(const char* path, char* buffer, std::size_t size) const {
    return ::readlink(path, buffer, size);
}
int SystemCalls::Access(const char* path, int mode) const { return ::access(path, mode); }

const SystemCalls& RealSystemCalls() {
    static const SystemCalls calls;
    return calls;
}

}  // namespace kelvora
