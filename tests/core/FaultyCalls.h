// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system calls of a save, made to fail one at a time.
#include <cerrno>
#include <string>

#include "platform/SystemCalls.h"

namespace kelvora::test {

// The real calls, except that call number failAt (counting from 1) fails
// with `error`; writes may also take at most `writeAtMost` bytes at a time.
class FaultyCalls : public SystemCalls {
public:
    mutable int calls = 0;
    int failAt = 0;
    mutable std::string failCall;  // or the first call of this name: "Stat", "Access", "Fsync" ...
    int error = EIO;
    std::size_t writeAtMost = 0;

    int Open(const char* path, int flags, mode_t mode) const override {
        return Fails() ? -1 : SystemCalls::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) const override {
        if (Fails()) return -1;
        return SystemCalls::Write(fd, data, writeAtMost ? std::min(size, writeAtMost) : size);
    }
    int Fsync(int fd) const override { return Fails("Fsync") ? -1 : SystemCalls::Fsync(fd); }
    int Fchmod(int fd, mode_t mode) const override { return Fails() ? -1 : SystemCalls::Fchmod(fd, mode); }
    int Close(int fd) const override {
        const int r = SystemCalls::Close(fd);  // a failed close still closes
        return Fails() ? -1 : r;
    }
    int Rename(const char* from, const char* to) const override {
        return Fails() ? -1 : SystemCalls::Rename(from, to);
    }
    int Unlink(const char* path) const override { return SystemCalls::Unlink(path); }
    int Stat(const char* path, struct stat* st) const override {
        return Fails("Stat") ? -1 : SystemCalls::Stat(path, st);
    }
    int Lstat(const char* path, struct stat* st) const override {
        return Fails() ? -1 : SystemCalls::Lstat(path, st);
    }
    int Access(const char* path, int mode) const override {
        return Fails("Access") ? -1 : SystemCalls::Access(path, mode);
    }

private:
    bool Fails(const char* name = "") const {
        ++calls;
        if (calls != failAt && (failCall.empty() || failCall != name)) return false;
        if (!failCall.empty()) failCall.clear();  // only its first call
        errno = error;
        return true;
    }
};

}  // namespace kelvora::test
