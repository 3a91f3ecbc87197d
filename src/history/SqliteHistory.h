// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session history in an SQLite database of the data folder, with a
// write-ahead log and one transaction a session (with all its reviews): a
// crash or a full disk never damages the sessions kept before. A file that
// is damaged (by SQLite's check of every page, once before the first
// write), or was written by a newer Kelvora, is never written to; an older
// one is brought up to date in the transaction of its next write. Sessions
// that could not go in wait in a pending file beside it; every reader sees
// them.
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "platform/SessionHistory.h"

struct sqlite3;

namespace kelvora {
namespace store {
class Interruptible;
}

inline constexpr const char* kHistoryFile = "history.sqlite3";
// A pending file larger than this was not written by Kelvora.
inline constexpr std::uintmax_t kMaxPendingBytes = std::uintmax_t{256} << 20;

class HistoryCards;

class SqliteHistory : public SessionHistory {
public:
    // A write waits up to `busyWaitMs` for another program that holds the
    // file.
    explicit SqliteHistory(std::filesystem::path file, int busyWaitMs = 2000);
    // A check still running is stopped: a window closed at once never waits
    // for it.
    ~SqliteHistory() override;
    SqliteHistory(const SqliteHistory&) = delete;
    SqliteHistory& operator=(const SqliteHistory&) = delete;
    // A session that cannot go in now (busy, damaged, read-only) is kept in
    // the pending file beside the history, and goes in at the next write.
    AppendOutcome Append(const SessionRecord& session) override;
    Result<std::vector<SessionRecord>> Sessions() const override;
    Result<ReviewLog> Reviews(const std::string& database, bool details = false) const override;
    Result<std::optional<fsrs::Parameters>> FittedParameters() const override;

    Result<void> RenameCards(const std::string& database, const std::vector<CardRename>& renames,
                             const std::string& saveId) override;

    // Keeps fitted parameters in place of any before.
    Result<void> KeepParameters(const fsrs::Parameters& w, std::int64_t fittedAt, int reviews);

    // Adds reviews read from a file to a word database's cards, all in one
    // transaction: all or, on any failure, none. A review already there
    // (the same card at the same second with the same grade) is not added
    // again.
    struct ImportCounts {
        int added = 0;
        int alreadyThere = 0;
    };
    Result<ImportCounts> Import(const std::string& database, const std::vector<ImportedReview>& rows);

    // Starts the check that the file is whole, which every write waits for,
    // on a thread of its own: a window calls it once it shows, so that
    // "END" finds the answer ready. Without it, the first write checks.
    void CheckInBackground();
    // Why the file must not be written (damaged, unreadable), or nothing;
    // checked once for this object (waiting for the check in the
    // background, if one runs).
    std::string WhyNotWhole();

private:
    // One write transaction: the sessions kept for later go in first, then
    // `body`; all or nothing. Why it failed, or nothing.
    std::string Write(const std::function<bool(sqlite3*, HistoryCards&, std::string*)>& body);
    std::filesystem::path PendingPath() const;
    Result<std::vector<SessionRecord>> Pending() const;

    std::filesystem::path file_;
    int busyWaitMs_;
    std::shared_ptr<store::Interruptible> stopCheck_;
    std::shared_future<std::string> check_;
};

// Every session kept, oldest first. No file is no session. A damaged or
// newer file says why.
Result<std::vector<SessionRecord>> ReadHistory(const std::filesystem::path& file);

// The sessions as CSV with a header row, times in local time.
std::string HistoryCsv(const std::vector<SessionRecord>& sessions);

}  // namespace kelvora
