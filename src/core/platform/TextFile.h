// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of the data folder: read whole (only plain files, only up to a
// size limit) and written whole, put in place atomically.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

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

// The file a temporary file of a save stands for: "eword.dat" for
// ".eword.dat.Ab12Cd"; nothing for any other name.
std::optional<std::string> TemporaryFileTarget(const std::string& fileName);

}  // namespace kelvora
