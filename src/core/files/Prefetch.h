// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up reads the settings file, then the first word and test databases
// and their learning records. Here they are read ahead, on a thread of
// their own, while the windows are being made; start-up takes what was
// read only when the file is unchanged since (else it reads it itself), so
// what it loads is exactly what it would have read.
#include <array>
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

// A word record's rows, four fields each.
using WordRecordRows = std::vector<std::array<std::string, 4>>;

class FilePrefetch {
public:
    explicit FilePrefetch(const std::filesystem::path& folder);
    ~FilePrefetch();
    FilePrefetch(const FilePrefetch&) = delete;
    FilePrefetch& operator=(const FilePrefetch&) = delete;

    // What was read ahead of `path` (decoded to text, or as bytes), with
    // the same limit, if the file is as it was then; taken once.
    std::optional<FileRead> Take(const std::filesystem::path& path, std::uintmax_t limit, bool text);

    // The word database `name` at `path`, read and parsed ahead into a
    // fresh table, if the file is as it was then; taken once.
    struct WordTableAhead {
        std::vector<WordRow> rows;
        WordTable table;
    };
    std::optional<WordTableAhead> TakeWordTable(const std::filesystem::path& path, const std::string& name);

    // The word record at `path`, read and parsed ahead, if the file is as
    // it was then; taken once.
    std::optional<WordRecordRows> TakeWordRecord(const std::filesystem::path& path);

    struct Read {
        std::filesystem::path path;
        std::uintmax_t limit = 0;
        bool text = false;
        std::string stamp;  // of the file as it was read
        FileRead read;
        // A word database, parsed too (its text is then not kept).
        std::string wordDatabase;
        std::optional<WordTableAhead> parsed;
        // A word record, parsed too (its bytes are then not kept).
        std::optional<WordRecordRows> wordRecord;
    };

private:
    // The first read that `wanted` picks, if its file is as it was then.
    Read* Unchanged(const std::function<bool(const Read&)>& wanted);

    std::future<std::vector<Read>> reading_;
    std::vector<Read> read_;
    bool taken_ = false;
};

struct Program;
// A file start-up reads, from the prefetch where it has it.
FileRead ReadStartupFile(Program& p, const std::string& name, std::uintmax_t limit, bool text);

}  // namespace kelvora
