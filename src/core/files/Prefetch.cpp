// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Prefetch.h"

#include <utility>

#include "Program.h"
#include "files/FileLimits.h"
#include "files/LearningRecord.h"
#include "files/Settings.h"

namespace kelvora {

namespace {

// A file read whole, with the stamp it had before and after: a file that
// changed meanwhile is not kept. True if it was kept.
bool ReadAhead(std::vector<FilePrefetch::Read>& out, const std::filesystem::path& path, std::uintmax_t limit,
               bool text) {
    const std::string before = StatPath(path).Stamp();
    FileRead read = text ? ReadTextFile(path, limit) : ReadFileBytes(path, limit);
    if (!read || StatPath(path).Stamp() != before) return false;
    FilePrefetch::Read r;
    r.path = path;
    r.limit = limit;
    r.text = text;
    r.stamp = before;
    r.read = std::move(read);
    out.push_back(std::move(r));
    return true;
}

std::vector<FilePrefetch::Read> ReadAll(std::filesystem::path folder) {
    std::vector<FilePrefetch::Read> out;
    ReadAhead(out, folder / kSettingsFile, kMaxSettingsBytes, true);
    if (out.empty()) return out;
    std::string ignored;
    const auto settings = ParseSettings(*out.front().read, true, &ignored);
    if (!settings) return out;
    if (!settings->wordDbNames.empty()) {
        const std::string& name = settings->wordDbNames[0];
        if (ReadAhead(out, folder / (name + ".txt"), kMaxWordDatabaseBytes, true)) {
            // Parsed here too, into a table as the model's is at start-up,
            // with its learning record read into it.
            const std::size_t database = out.size() - 1;
            FilePrefetch::WordTableAhead ahead;
            ahead.rows.resize(kWordRows);
            ahead.table = ParseWordDatabase(out[database].read, name, ahead.rows);
            if (ahead.table.failure.empty() && ReadAhead(out, folder / (name + ".dat"), kMaxRecordBytes, false)) {
                FilePrefetch::Read& record = out.back();
                ReadWordRecordInto(*record.read.content, ahead.rows);
                record.inWordTable = true;
                record.read = FileRead{};
            }
            out[database].wordDatabase = name;
            out[database].parsed = std::move(ahead);
            out[database].read = FileRead{};
        }
    }
    if (!settings->testDbNames.empty()) {
        ReadAhead(out, folder / (settings->testDbNames[0] + ".txt"), kMaxTestDatabaseBytes, true);
        ReadAhead(out, folder / (settings->testDbNames[0] + ".dat"), kMaxRecordBytes, false);
    }
    return out;
}

}  // namespace

FilePrefetch::FilePrefetch(const std::filesystem::path& folder)
    : reading_(std::async(std::launch::async, ReadAll, folder)) {}

FilePrefetch::~FilePrefetch() {
    if (reading_.valid()) reading_.wait();
}

FilePrefetch::Read* FilePrefetch::Unchanged(const std::function<bool(const Read&)>& wanted) {
    if (!taken_) {
        read_ = reading_.get();
        taken_ = true;
    }
    for (Read& r : read_)
        if (wanted(r)) return StatPath(r.path).Stamp() == r.stamp ? &r : nullptr;
    return nullptr;
}

std::optional<FileRead> FilePrefetch::Take(const std::filesystem::path& path, std::uintmax_t limit, bool text) {
    Read* r = Unchanged([&](const Read& e) { return e.read && e.path == path && e.limit == limit && e.text == text; });
    if (!r) return std::nullopt;
    return std::exchange(r->read, FileRead{});
}

std::optional<FilePrefetch::WordTableAhead> FilePrefetch::TakeWordTable(const std::filesystem::path& path,
                                                                         const std::string& name) {
    Read* r = Unchanged([&](const Read& e) { return e.parsed && e.path == path && e.wordDatabase == name; });
    if (!r) return std::nullopt;
    // The record read into it must be unchanged too: else start-up reads
    // both itself.
    for (Read& e : read_) {
        if (!e.inWordTable) continue;
        if (StatPath(e.path).Stamp() != e.stamp) return std::nullopt;
        e.taken = true;
    }
    return std::exchange(r->parsed, std::nullopt);
}

bool FilePrefetch::TookWordRecord(const std::filesystem::path& path) const {
    for (const Read& e : read_)
        if (e.inWordTable && e.taken && e.path == path) return true;
    return false;
}

FileRead ReadStartupFile(Program& p, const std::string& name, std::uintmax_t limit, bool text) {
    const std::filesystem::path path = p.File(name);
    if (p.prefetch)
        if (auto read = p.prefetch->Take(path, limit, text)) return std::move(*read);
    return text ? ReadTextFile(path, limit) : ReadFileBytes(path, limit);
}

}  // namespace kelvora
