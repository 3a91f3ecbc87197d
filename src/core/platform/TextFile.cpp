#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/Codec.h"

namespace kelvora {

std::optional<std::string> ReadTextFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file grew meanwhile
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return DecodeFileText(bytes);
}

namespace {

WriteResult Fail(std::string reason) { return WriteResult{false, std::move(reason)}; }

std::string ErrnoText(int e) {
    switch (e) {
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is used up";
        case EACCES:
        case EPERM: return "permission denied";
        case EROFS: return "the disk is read-only";
        case EFBIG: return "the file is too large";
        case ENOENT: return "the folder does not exist";
        default: return std::strerror(e);
    }
}

// A new, empty temporary file beside the target, ".name.XXXXXX", created
// with `mode` less the process's umask (the kernel applies it, so the
// umask is never read or changed).
int CreateTemporary(const std::filesystem::path& dir, const std::string& name, mode_t mode, std::string* path) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'X');
        for (char& c : suffix) c = kLetters[pick(entropy)];
        *path = (dir / ("." + name + "." + suffix)).string();
        const int fd = ::open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

WriteResult WriteTextFileAtomic(const std::filesystem::path& path, const std::string& text) {
    std::string bad;
    const auto bytes = EncodeCp932(text, &bad);
    if (!bytes) return Fail("the character \"" + bad + "\" cannot be written in code page 932");

    // A file the learner marked read-only stays as it is, even where the
    // folder would let us replace it (and even for root).
    struct stat st {};
    mode_t mode = 0644;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists) {
        if (!S_ISREG(st.st_mode)) return Fail("it is not a plain file");
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
            return Fail("the file is read-only");
        mode = st.st_mode & 07777;
    }

    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string tmpl;
    const int fd = CreateTemporary(dir, path.filename().string(), exists ? mode : 0666, &tmpl);
    if (fd < 0) return Fail(ErrnoText(errno));
    auto abandon = [&](int e) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return Fail(ErrnoText(e));
    };
    if (!WriteAll(fd, *bytes)) return abandon(errno);
    if (::fsync(fd) != 0) return abandon(errno);
    // The old file's permissions exactly, whatever the umask took away.
    if (exists && ::fchmod(fd, mode) != 0) return abandon(errno);
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(tmpl.c_str());
        return Fail(ErrnoText(e));
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(tmpl.c_str());
        return Fail(ErrnoText(e));
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

}  // namespace kelvora
