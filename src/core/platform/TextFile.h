#pragma once
// Text files of the working folder: read whole and decoded, written whole
// in code page 932 and put in place atomically.
#include <filesystem>
#include <optional>
#include <string>

namespace kelvora {

// The decoded text of a file, or nothing when it cannot be opened.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);

struct WriteResult {
    bool ok = true;
    std::string reason;  // why not, for the learner: one short line
};

// Writes text (lines already ending in CR LF) to a temporary file beside
// path and renames it over path, so the old file stays whole on any
// failure. A file marked read-only is left alone and reported, and a
// character code page 932 cannot hold is reported, never replaced.
WriteResult WriteTextFileAtomic(const std::filesystem::path& path, const std::string& text);

}  // namespace kelvora
