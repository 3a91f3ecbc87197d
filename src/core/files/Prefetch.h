// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up reads the settings file, then the first word and test databases
// and their learning records. Here they are read ahead, on a thread of
// their own, while the windows are being made; start-up takes what was
// read only when the file is unchanged since and the reading was done in
// time (else it reads it itself), so what it loads is exactly what it
// would have read.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "files/QuestionBanks.h"
#include "platform/TextFile.h"

namespace kelvora {

class FilePrefetch {
public:
    // How long start-up waits for a reading still under way.
    static constexpr std::chrono::milliseconds kPatience{50};
    // `beforeReading`, for tests: run on the thread before it reads.
    explicit FilePrefetch(const std::filesystem::path& folder, std::chrono::milliseconds patience = kPatience,
                          std::function<void()> beforeReading = {});
    ~FilePrefetch();
    FilePrefetch(const FilePrefetch&) = delete;
    FilePrefetch& operator=(const FilePrefetch&) = delete;

    // What was read ahead of `path` (decoded to text, or as bytes), with
    // the same limit, if the file is as it was then; taken once.
    std::optional<FileRead> Take(const std::filesystem::path& path, std::uintmax_t limit, bool text);

    // The word database `name` at `path`, read and parsed ahead into a
    // fresh table with its learning record, if both files are as they were
    // then; taken once.
    struct WordTableAhead {
        WordRows rows;
        WordTable table;
    };
    std::optional<WordTableAhead> TakeWordTable(const std::filesystem::path& path, const std::string& name);

    // Whether the word table taken held the learning record at `path`.
    bool TookWordRecord(const std::filesystem::path& path) const;

    struct Read {
        std::filesystem::path path;
        std::uintmax_t limit = 0;
        bool text = false;
        std::string stamp;  // of the file as it was read
        FileRead read;
        // A word database, parsed too (its text is then not kept).
        std::string wordDatabase;
        std::optional<WordTableAhead> parsed;
        // A word record, read into the word database's table (its bytes
        // are then not kept), and whether that table was taken.
        bool inWordTable = false;
        bool taken = false;
    };

private:
    // The first read that `wanted` picks, if its file is as it was then.
    Read* Unchanged(const std::function<bool(const Read&)>& wanted);

    std::future<std::vector<Read>> reading_;
    std::chrono::milliseconds patience_;
    std::vector<Read> read_;
    bool taken_ = false;
};

struct Program;
// A file start-up reads, from the prefetch where it has it.
FileRead ReadStartupFile(Program& p, const std::string& name, std::uintmax_t limit, bool text);

}  // namespace kelvora
