#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    std::string tmpl = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return Fail(ErrnoText(errno));
    auto abandon = [&](int e) {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return Fail(ErrnoText(e));
    };
    if (!WriteAll(fd, *bytes)) return abandon(errno);
    if (::fsync(fd) != 0) return abandon(errno);
    if (::fchmod(fd, exists ? mode : (0666 & ~[] {
            const mode_t m = ::umask(0);
            ::umask(m);
            return m;
        }())) != 0)
        return abandon(errno);
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
