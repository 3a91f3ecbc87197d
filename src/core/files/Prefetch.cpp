// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Prefetch.h"

#include <utility>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "Program.h"
#include "files/FileLimits.h"
#include "files/LearningRecord.h"
#include "files/Settings.h"

namespace kelvora {

namespace {

// The read-ahead runs while Qt starts, which waits on the display server at
// every step. On a machine with few cores the three contend, so the
// read-ahead is batch work at a lower priority: it never takes a core from
// the window's thread or the display server when they wake, and on an idle
// core it runs as fast as ever. (Should start-up need it before it is done,
// start-up waits only briefly, then reads the files itself.)
void ReadAheadInTheBackground() {
#ifdef __linux__
    const sched_param none{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &none);
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);  // a thread's own nice value, on Linux
#endif
}

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

std::vector<FilePrefetch::Read> ReadAll(std::filesystem::path folder, std::function<void()> beforeReading) {
    ReadAheadInTheBackground();
    if (beforeReading) beforeReading();
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

FilePrefetch::FilePrefetch(const std::filesystem::path& folder, std::chrono::milliseconds patience,
                           std::function<void()> beforeReading)
    : reading_(std::async(std::launch::async, ReadAll, folder, std::move(beforeReading))), patience_(patience) {}

FilePrefetch::~FilePrefetch() {
    if (reading_.valid()) reading_.wait();
}

FilePrefetch::Read* FilePrefetch::Unchanged(const std::function<bool(const Read&)>& wanted) {
    if (!taken_) {
        taken_ = true;
        // Not done by now: start-up reads the files itself (what was read
        // ahead is left, and the thread ends on its own).
        if (reading_.wait_for(patience_) == std::future_status::ready) read_ = reading_.get();
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
