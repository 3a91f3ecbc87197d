// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating-system calls that saving a file makes, behind one seam so
// that tests can fail each of them in turn.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace kelvora {

class SystemCalls {
public:
    virtual ~SystemCalls() = default;
    virtual int Open(const char* path, int flags, mode_t mode) const;
    virtual ssize_t Write(int fd, const void* data, std::size_t size) const;
    virtual int Fsync(int fd) const;
    virtual int Fchmod(int fd, mode_t mode) const;
    virtual int Close(int fd) const;
    virtual int Rename(const char* from, const char* to) const;
    virtual int Unlink(const char* path) const;
    virtual int Stat(const char* path, struct stat* st) const;
    virtual int Lstat(const char* path, struct stat* st) const;
    virtual ssize_t Readlink(const char* path, char* buffer, std::size_t size) const;
    virtual int Access(const char* path, int mode) const;
};

// The real calls. It holds no state.
const SystemCalls& RealSystemCalls();

}  // namespace kelvora
