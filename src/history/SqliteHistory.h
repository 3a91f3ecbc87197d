// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session history in an SQLite database of the data folder, with a
// write-ahead log and one transaction a session (with all its reviews): a
// crash or a full disk never damages the sessions kept before. A file that
// is damaged, or was written by a newer Kelvora, is never written to; an
// older one is brought up to date in the transaction of its next write.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/SessionHistory.h"

namespace kelvora {

inline constexpr const char* kHistoryFile = "history.sqlite3";

class SqliteHistory : public SessionHistory {
public:
    explicit SqliteHistory(std::filesystem::path file) : file_(std::move(file)) {}
    std::string Append(const SessionRecord& session) override;
    std::vector<SessionRecord> Sessions(std::string* error) const override;
    ReviewLog Reviews(const std::string& database, std::string* error, bool details = false) const override;
    std::optional<fsrs::Parameters> FittedParameters(std::string* error) const override;

    // Keeps fitted parameters in place of any before; why not, or empty.
    std::string KeepParameters(const fsrs::Parameters& w, std::int64_t fittedAt, int reviews);

    // Adds reviews read from a file to a word database's cards, all in one
    // transaction: all or, on any failure, none. A review already there
    // (the same card at the same second) is not added again.
    struct ImportOutcome {
        std::string error;
        int added = 0;
        int alreadyThere = 0;
    };
    ImportOutcome Import(const std::string& database, const std::vector<ImportedReview>& rows);

private:
    std::filesystem::path file_;
};

// Every session kept, oldest first. No file is no session. On a damaged or
// newer file returns nothing and says why in *error.
std::vector<SessionRecord> ReadHistory(const std::filesystem::path& file, std::string* error);

// The sessions as CSV with a header row, times in local time.
std::string HistoryCsv(const std::vector<SessionRecord>& sessions);

}  // namespace kelvora
