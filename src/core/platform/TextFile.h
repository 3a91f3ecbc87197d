// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every file the program touches goes through here (the session history's
// SQLite database is the one exception: SQLite keeps its own journal).
// Files are read whole (only plain files, only up to a size limit) and
// written whole, put in place atomically, through symbolic links.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemCalls.h"

namespace kelvora {

// What reading a file gave: its content, or why not.
struct FileRead {
    std::optional<std::string> content;
    // Set when the file is there but cannot be used, for the learner: "it
    // is not a plain file", "it is 1,311 MB; ...", "it cannot be read: ...".
    // Empty when there is no such file.
    std::string problem;

    explicit operator bool() const { return content.has_value(); }
    const std::string& operator*() const { return *content; }
};

// The bytes of a plain file of at most maxBytes bytes. A FIFO, a device or
// a folder is never opened for reading, so nothing waits on it, and a file
// larger than the limit is refused before it is read.
FileRead ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);
// The same, decoded to UTF-8 text (see DecodeFileText).
FileRead ReadTextFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

struct WriteResult {
    bool ok = true;
    bool replaced = false;  // on failure: the new file is in place all the same
    std::string reason;     // why not, for the learner: one short line
    bool alreadyThere = false;  // CreateFileAtomic: a file stands at the path
};

// Writes bytes to a temporary file beside the file and renames it over the
// old one, so the old file stays whole on any failure and no temporary file
// is left. A symbolic link is followed, and the file it leads to is the
// one replaced. A file marked read-only is left alone and reported.
WriteResult WriteFileAtomic(const std::filesystem::path& path, const std::string& bytes,
                            const SystemCalls& sys = RealSystemCalls());
// The same for text (lines already ending in CR LF), written in code page
// 932; a character it cannot hold is reported, never replaced.
WriteResult WriteTextFileAtomic(const std::filesystem::path& path, const std::string& text,
                                const SystemCalls& sys = RealSystemCalls());

// Writes a file that is not there yet, atomically: written whole beside it,
// then put in place only if nothing stands at the path meanwhile. A file
// (or link) already there is never replaced: that is a failure, "it is
// there already".
WriteResult CreateFileAtomic(const std::filesystem::path& path, const std::string& bytes,
                             const SystemCalls& sys = RealSystemCalls());

// What stands at a path.
struct PathStatus {
    enum class Kind { Missing, File, Folder, Other };
    Kind kind = Kind::Missing;
    bool link = false;          // the path itself is a symbolic link
    std::uintmax_t size = 0;    // of a plain file
    std::int64_t modified = 0;  // nanoseconds since 1970
    bool readOnly = false;      // no write permission bit is set (honoured even for root)
    // Tells a changed file from one seen before.
    std::string Stamp() const;
};
// The path's status, symbolic links followed (a dangling link is Other).
PathStatus StatPath(const std::filesystem::path& path);

// Makes a folder and the folders above it; why not, for the learner, or
// nothing when the folder is there.
std::optional<std::string> MakeFolder(const std::filesystem::path& folder);

// The names of the plain files in a folder (not through symbolic links);
// why not in *error.
std::vector<std::string> PlainFilesIn(const std::filesystem::path& folder, std::string* error);

// Removes a file; false when it could not.
bool RemoveFile(const std::filesystem::path& path);

// The file a temporary file of a save stands for: "eword.dat" for
// ".eword.dat.Ab12Cd"; nothing for any other name.
std::optional<std::string> TemporaryFileTarget(const std::string& fileName);

}  // namespace kelvora
