// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session history in an SQLite database of the data folder, with a
// write-ahead log and one transaction a session: a crash or a full disk
// never damages the sessions kept before. A file that is damaged, or was
// written by a newer Kelvora, is never written to.
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

private:
    std::filesystem::path file_;
};

// Every session kept, oldest first. No file is no session. On a damaged or
// newer file returns nothing and says why in *error.
std::vector<SessionRecord> ReadHistory(const std::filesystem::path& file, std::string* error);

// The sessions as CSV with a header row, times in local time.
std::string HistoryCsv(const std::vector<SessionRecord>& sessions);

}  // namespace kelvora
