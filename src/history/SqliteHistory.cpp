// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteHistory.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sstream>

#include "text/Numbers.h"

namespace kelvora {

namespace {

constexpr int kSchema = 1;

const char* const kCreate =
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY,"
    " started INTEGER NOT NULL, ended INTEGER NOT NULL,"
    " word_database TEXT NOT NULL, test_database TEXT NOT NULL, mode REAL NOT NULL,"
    " en_asked INTEGER NOT NULL, en_right INTEGER NOT NULL, ja_asked INTEGER NOT NULL, ja_right INTEGER NOT NULL,"
    " test_asked INTEGER NOT NULL, test_right INTEGER NOT NULL,"
    " estimates TEXT NOT NULL,"
    " known_en INTEGER NOT NULL, known_ja INTEGER NOT NULL, never_asked INTEGER NOT NULL)";

// The columns of a session, in the order they are written and read.
const std::string kColumns =
    "started, ended, word_database, test_database, mode, en_asked, en_right, ja_asked, ja_right, test_asked, "
    "test_right, estimates, known_en, known_ja, never_asked";

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, Closer>;
struct Finalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

// Why SQLite failed, for the learner.
std::string Why(sqlite3* db, int code) {
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT: return "the file is damaged, so Kelvora leaves it as it is";
        case SQLITE_FULL: return "the disk is full";
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN: return "it cannot be written (is the folder read-only?)";
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return "another program holds it";
        default: return db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    }
}

// Opens the history and checks that it is one this Kelvora can use.
Db Open(const std::filesystem::path& file, bool write, std::string* error) {
    sqlite3* raw = nullptr;
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    const int flags = write ? SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE) : SQLITE_OPEN_READONLY;
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        *error = Why(raw, rc);
        return nullptr;
    }
    sqlite3_busy_timeout(raw, 2000);
    sqlite3_stmt* s = nullptr;
    rc = sqlite3_prepare_v2(raw, "PRAGMA user_version", -1, &s, nullptr);
    Statement version(s);
    if (rc != SQLITE_OK || (rc = sqlite3_step(s)) != SQLITE_ROW) {
        *error = Why(raw, rc);
        return nullptr;
    }
    if (sqlite3_column_int(s, 0) > kSchema) {
        *error = "it was written by a newer Kelvora, so this one leaves it as it is";
        return nullptr;
    }
    return db;
}

bool Exec(sqlite3* db, const char* sql, std::string* error) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) *error = Why(db, rc);
    return rc == SQLITE_OK;
}

std::string Estimates(const std::vector<double>& values) {
    std::string out;
    for (double v : values) out += (out.empty() ? "" : " ") + NumText(v).substr(v < 0 ? 0 : 1);
    return out;
}

std::string LocalTime(std::int64_t t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

std::string SqliteHistory::Append(const SessionRecord& r) {
    std::string error;
    const Db db = Open(file_, true, &error);
    if (!db) return error;
    sqlite3* d = db.get();
    if (!Exec(d, "PRAGMA journal_mode=WAL", &error) || !Exec(d, "BEGIN IMMEDIATE", &error)) return error;
    auto rollback = [&] {
        sqlite3_exec(d, "ROLLBACK", nullptr, nullptr, nullptr);
        return error;
    };
    if (!Exec(d, kCreate, &error)) return rollback();
    sqlite3_stmt* s = nullptr;
    const std::string sql = "INSERT INTO sessions (" + kColumns + ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    int rc = sqlite3_prepare_v2(d, sql.c_str(), -1, &s, nullptr);
    Statement insert(s);
    if (rc != SQLITE_OK) {
        error = Why(d, rc);
        return rollback();
    }
    const std::string estimates = Estimates(r.estimates);
    sqlite3_bind_int64(s, 1, r.started);
    sqlite3_bind_int64(s, 2, r.ended);
    sqlite3_bind_text(s, 3, r.wordDb.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 4, r.testDb.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(s, 5, r.mode);
    const int counts[] = {r.wordAsked[0], r.wordRight[0], r.wordAsked[1], r.wordRight[1], r.testAsked, r.testRight};
    for (int i = 0; i < 6; ++i) sqlite3_bind_int(s, 6 + i, counts[i]);
    sqlite3_bind_text(s, 12, estimates.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(s, 13, r.known[0]);
    sqlite3_bind_int(s, 14, r.known[1]);
    sqlite3_bind_int(s, 15, r.neverAsked);
    if ((rc = sqlite3_step(s)) != SQLITE_DONE) {
        error = Why(d, rc);
        return rollback();
    }
    const std::string version = "PRAGMA user_version=" + std::to_string(kSchema);
    if (!Exec(d, version.c_str(), &error) || !Exec(d, "COMMIT", &error)) return rollback();
    return {};
}

std::vector<SessionRecord> ReadHistory(const std::filesystem::path& file, std::string* error) {
    std::vector<SessionRecord> out;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return out;
    const Db db = Open(file, false, error);
    if (!db) return out;
    sqlite3_stmt* s = nullptr;
    const std::string sql = "SELECT " + kColumns + " FROM sessions ORDER BY ended, id";
    int rc = sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &s, nullptr);
    Statement select(s);
    if (rc != SQLITE_OK) {
        // A file of this Kelvora that never kept a session has no table.
        if (std::string(sqlite3_errmsg(db.get())).find("no such table") == std::string::npos) *error = Why(db.get(), rc);
        return out;
    }
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        SessionRecord r;
        auto text = [s](int i) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
            return std::string(t ? t : "");
        };
        r.started = sqlite3_column_int64(s, 0);
        r.ended = sqlite3_column_int64(s, 1);
        r.wordDb = text(2);
        r.testDb = text(3);
        r.mode = sqlite3_column_double(s, 4);
        r.wordAsked[0] = sqlite3_column_int(s, 5);
        r.wordRight[0] = sqlite3_column_int(s, 6);
        r.wordAsked[1] = sqlite3_column_int(s, 7);
        r.wordRight[1] = sqlite3_column_int(s, 8);
        r.testAsked = sqlite3_column_int(s, 9);
        r.testRight = sqlite3_column_int(s, 10);
        std::istringstream estimates(text(11));
        for (double v; estimates >> v;) r.estimates.push_back(v);
        r.known[0] = sqlite3_column_int(s, 12);
        r.known[1] = sqlite3_column_int(s, 13);
        r.neverAsked = sqlite3_column_int(s, 14);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) {
        *error = Why(db.get(), rc);
        out.clear();
    }
    return out;
}

std::string HistoryCsv(const std::vector<SessionRecord>& sessions) {
    std::string out =
        "started,ended,word_database,test_database,mode,en_asked,en_right,ja_asked,ja_right,test_asked,test_right,"
        "estimates,known_en,known_ja,never_asked\r\n";
    for (const SessionRecord& r : sessions) {
        out += LocalTime(r.started) + "," + LocalTime(r.ended) + "," + CsvField(r.wordDb) + "," + CsvField(r.testDb) +
               "," + NumText(r.mode).substr(r.mode < 0 ? 0 : 1);
        for (int v : {r.wordAsked[0], r.wordRight[0], r.wordAsked[1], r.wordRight[1], r.testAsked, r.testRight})
            out += "," + std::to_string(v);
        out += "," + Estimates(r.estimates) + "," + std::to_string(r.known[0]) + "," + std::to_string(r.known[1]) +
               "," + std::to_string(r.neverAsked) + "\r\n";
    }
    return out;
}

}  // namespace kelvora
