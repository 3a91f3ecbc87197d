// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/Codec.h"

namespace kelvora {

namespace {

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 6;

WriteResult Fail(std::string reason) { return WriteResult{false, false, std::move(reason)}; }

std::string ErrnoText(int e) {
    switch (e) {
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is used up";
        case EACCES:
        case EPERM: return "permission denied";
        case EROFS: return "the disk is read-only";
        case EFBIG: return "the file is too large";
        case ENOENT: return "the folder does not exist";
        case ELOOP: return "its symbolic links go round in a circle";
        default: return std::strerror(e);
    }
}

// "1,311 MB", "12 KB": sizes as the learner reads them.
std::string SizeText(std::uintmax_t bytes) {
    const bool mega = bytes >= 1024 * 1024;
    std::uintmax_t n = (bytes + (mega ? 1024 * 1024 - 1 : 1023)) / (mega ? 1024 * 1024 : 1024);
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits + (mega ? " MB" : " KB");
}

// A file's final path: symbolic links followed, each relative one from the
// folder of the link, so a save replaces the file a link leads to and the
// link stays.
bool FollowLinks(const SystemCalls& sys, std::filesystem::path* path, int* error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (sys.Lstat(path->c_str(), &st) != 0) {
            *error = errno;
            return *error == ENOENT;  // no file yet: it is made where the links lead
        }
        if (!S_ISLNK(st.st_mode)) return true;
        char target[4096];
        const ssize_t n = sys.Readlink(path->c_str(), target, sizeof target - 1);
        if (n < 0) {
            *error = errno;
            return false;
        }
        const std::filesystem::path next(std::string(target, static_cast<std::size_t>(n)));
        *path = next.is_absolute() ? next : path->parent_path() / next;
    }
    *error = ELOOP;
    return false;
}

// A new, empty temporary file beside the target, ".name.XXXXXX", created
// with `mode` less the process's umask (the kernel applies it, so the
// umask is never read or changed).
int CreateTemporary(const SystemCalls& sys, const std::filesystem::path& dir, const std::string& name, mode_t mode,
                    std::string* path) {
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(kSuffixLength, 'X');
        for (char& c : suffix) c = kLetters[pick(entropy)];
        *path = (dir / ("." + name + "." + suffix)).string();
        const int fd = sys.Open(path->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(const SystemCalls& sys, int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = sys.Write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;  // a write that takes nothing will never finish
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileRead ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    FileRead r;
    // Not blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) r.problem = "it cannot be read: " + ErrnoText(errno);
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.problem = "it is not a plain file";
        ::close(fd);
        return r;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        r.problem = "it is " + SizeText(static_cast<std::uintmax_t>(st.st_size)) +
                    ", far more than this kind of file holds; Kelvora reads it only up to " + SizeText(maxBytes);
        ::close(fd);
        return r;
    }
    // One byte more than its size: the read that finds the end finds it
    // there, and the text is not moved to a larger buffer to look.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > maxBytes) break;  // it grew meanwhile: the limit holds all the same
            bytes.resize(bytes.size() + 4096);
        }
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            r.problem = "it cannot be read: " + ErrnoText(errno);
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    r.content = std::move(bytes);
    return r;
}

FileRead ReadTextFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    FileRead r = ReadFileBytes(path, maxBytes);
    if (r.content) r.content = DecodeFileText(*r.content);
    return r;
}

WriteResult WriteTextFileAtomic(const std::filesystem::path& path, const std::string& text, const SystemCalls& sys) {
    std::string bad;
    const auto bytes = EncodeCp932(text, &bad);
    if (!bytes) return Fail("the character \"" + bad + "\" cannot be written in code page 932");
    return WriteFileAtomic(path, *bytes, sys);
}

WriteResult WriteFileAtomic(const std::filesystem::path& where, const std::string& bytes, const SystemCalls& sys) {
    std::filesystem::path path = where;
    int error = 0;
    if (!FollowLinks(sys, &path, &error)) return Fail(ErrnoText(error));

    // A file the learner marked read-only stays as it is, even where the
    // folder would let us replace it (and even for root).
    struct stat st {};
    mode_t mode = 0666;
    bool exists = true;
    if (sys.Stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return Fail(ErrnoText(errno));
        exists = false;
    }
    if (exists) {
        if (!S_ISREG(st.st_mode)) return Fail("it is not a plain file");
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return Fail("the file is read-only");
        if (sys.Access(path.c_str(), W_OK) != 0)
            return Fail(errno == EACCES || errno == EPERM ? "the file is read-only" : ErrnoText(errno));
        mode = st.st_mode & 07777;
    }

    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary;
    const int fd = CreateTemporary(sys, dir, path.filename().string(), mode, &temporary);
    if (fd < 0) return Fail(ErrnoText(errno));
    auto abandon = [&](int e, bool open) {
        if (open) sys.Close(fd);
        sys.Unlink(temporary.c_str());
        return Fail(ErrnoText(e));
    };
    if (!WriteAll(sys, fd, bytes)) return abandon(errno, true);
    if (sys.Fsync(fd) != 0) return abandon(errno, true);
    // The old file's permissions exactly, whatever the umask took away.
    if (exists && sys.Fchmod(fd, mode) != 0) return abandon(errno, true);
    if (sys.Close(fd) != 0) return abandon(errno, false);
    if (sys.Rename(temporary.c_str(), path.c_str()) != 0) return abandon(errno, false);
    // Make the rename itself durable; until the folder is on the disk a
    // crash could still bring the old file back.
    const int dfd = sys.Open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    const bool synced = dfd >= 0 && sys.Fsync(dfd) == 0;
    const int e = errno;
    if (dfd >= 0) sys.Close(dfd);
    if (!synced) return WriteResult{false, true, "the disk did not confirm it: " + ErrnoText(e)};
    return {};
}

WriteResult CreateFileAtomic(const std::filesystem::path& path, const std::string& bytes, const SystemCalls& sys) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary;
    const int fd = CreateTemporary(sys, dir, path.filename().string(), 0666, &temporary);
    if (fd < 0) return Fail(ErrnoText(errno));
    const bool written = WriteAll(sys, fd, bytes) && sys.Fsync(fd) == 0;
    int e = errno;
    if (sys.Close(fd) != 0 && written) e = errno;
    // A hard link puts the whole file in place only where nothing stands:
    // unlike a rename, it never replaces.
    const bool placed = written && ::link(temporary.c_str(), path.c_str()) == 0;
    if (written && !placed) e = errno;
    sys.Unlink(temporary.c_str());
    if (!placed) {
        WriteResult r = Fail(e == EEXIST ? "it is there already" : ErrnoText(e));
        r.alreadyThere = e == EEXIST;
        return r;
    }
    return {};
}

std::string PathStatus::Stamp() const {
    return std::to_string(static_cast<int>(kind)) + "/" + std::to_string(size) + "/" + std::to_string(modified);
}

PathStatus StatPath(const std::filesystem::path& path) {
    PathStatus status;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return status;
    status.link = S_ISLNK(st.st_mode);
    if (status.link && ::stat(path.c_str(), &st) != 0) {
        status.kind = PathStatus::Kind::Other;
        return status;
    }
    status.kind = S_ISREG(st.st_mode)   ? PathStatus::Kind::File
                  : S_ISDIR(st.st_mode) ? PathStatus::Kind::Folder
                                        : PathStatus::Kind::Other;
    if (status.kind == PathStatus::Kind::File) status.size = static_cast<std::uintmax_t>(st.st_size);
    status.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    status.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return status;
}

std::optional<std::string> MakeFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (StatPath(folder).kind == PathStatus::Kind::Folder) return std::nullopt;
    return ec ? ec.message() : std::string("something else stands there");
}

std::vector<std::string> PlainFilesIn(const std::filesystem::path& folder, std::string* error) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored)) names.push_back(it->path().filename().string());
    }
    if (ec && error) *error = ec.message();
    return names;
}

bool RemoveFile(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0; }

std::optional<std::string> TemporaryFileTarget(const std::string& fileName) {
    if (fileName.size() < kSuffixLength + 3 || fileName[0] != '.') return std::nullopt;
    const std::size_t dot = fileName.size() - kSuffixLength - 1;
    if (fileName[dot] != '.') return std::nullopt;
    for (std::size_t i = dot + 1; i < fileName.size(); ++i)
        if (std::strchr(kLetters, fileName[i]) == nullptr || fileName[i] == '\0') return std::nullopt;
    return fileName.substr(1, dot - 1);
}

}  // namespace kelvora
