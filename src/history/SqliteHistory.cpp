// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteHistory.h"

#include <sqlite3.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sstream>
#include <type_traits>

#include "platform/TextFile.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

// The history's layout, by version (SQLite's user_version). Each step
// brings a history of the version before it to its own; a file is brought
// up to date in the same transaction as the session it gets, so a crash
// leaves it as it was or whole. Steps are history: never change one that
// has shipped, add the next.
const char* const kMigrations[] = {
    // 1: the sessions.
    "CREATE TABLE IF NOT EXISTS sessions ("
    " id INTEGER PRIMARY KEY,"
    " started INTEGER NOT NULL, ended INTEGER NOT NULL,"
    " word_database TEXT NOT NULL, test_database TEXT NOT NULL, mode REAL NOT NULL,"
    " en_asked INTEGER NOT NULL, en_right INTEGER NOT NULL, ja_asked INTEGER NOT NULL, ja_right INTEGER NOT NULL,"
    " test_asked INTEGER NOT NULL, test_right INTEGER NOT NULL,"
    " estimates TEXT NOT NULL,"
    " known_en INTEGER NOT NULL, known_ja INTEGER NOT NULL, never_asked INTEGER NOT NULL)",
};
constexpr int kSchema = static_cast<int>(std::size(kMigrations));

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

// A number as the reports write it, without NumText's leading blank.
std::string Plain(double v) { return NumText(v).substr(v < 0 ? 0 : 1); }

std::string Text(sqlite3_stmt* s, int i) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return std::string(t ? t : "");
}

// One column of a session: its name in the database and the CSV, and how
// it is written, read and printed. The one place that spells them.
struct Column {
    const char* name;
    void (*bind)(sqlite3_stmt*, int, const SessionRecord&);
    void (*read)(sqlite3_stmt*, int, SessionRecord&);
    std::string (*csv)(const SessionRecord&);
};

// A whole-number column; `field` gives the session's member.
template <auto field>
constexpr Column IntColumn(const char* name) {
    return {name, [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_int64(s, i, field(r)); },
            [](sqlite3_stmt* s, int i, SessionRecord& r) {
                field(r) = static_cast<std::remove_reference_t<decltype(field(r))>>(sqlite3_column_int64(s, i));
            },
            [](const SessionRecord& r) { return std::to_string(field(r)); }};
}

const Column kColumns[] = {
    {"started", [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_int64(s, i, r.started); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.started = sqlite3_column_int64(s, i); },
     [](const SessionRecord& r) { return LocalTime(r.started); }},
    {"ended", [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_int64(s, i, r.ended); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.ended = sqlite3_column_int64(s, i); },
     [](const SessionRecord& r) { return LocalTime(r.ended); }},
    {"word_database",
     [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_text(s, i, r.wordDb.c_str(), -1, SQLITE_TRANSIENT); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.wordDb = Text(s, i); },
     [](const SessionRecord& r) { return CsvField(r.wordDb); }},
    {"test_database",
     [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_text(s, i, r.testDb.c_str(), -1, SQLITE_TRANSIENT); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.testDb = Text(s, i); },
     [](const SessionRecord& r) { return CsvField(r.testDb); }},
    {"mode", [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_double(s, i, r.mode); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.mode = sqlite3_column_double(s, i); },
     [](const SessionRecord& r) { return Plain(r.mode); }},
    IntColumn<[](auto& r) -> auto& { return r.wordAsked[0]; }>("en_asked"),
    IntColumn<[](auto& r) -> auto& { return r.wordRight[0]; }>("en_right"),
    IntColumn<[](auto& r) -> auto& { return r.wordAsked[1]; }>("ja_asked"),
    IntColumn<[](auto& r) -> auto& { return r.wordRight[1]; }>("ja_right"),
    IntColumn<[](auto& r) -> auto& { return r.testAsked; }>("test_asked"),
    IntColumn<[](auto& r) -> auto& { return r.testRight; }>("test_right"),
    {"estimates",
     [](sqlite3_stmt* s, int i, const SessionRecord& r) {
         sqlite3_bind_text(s, i, Estimates(r.estimates).c_str(), -1, SQLITE_TRANSIENT);
     },
     [](sqlite3_stmt* s, int i, SessionRecord& r) {
         std::istringstream in(Text(s, i));
         for (double v; in >> v;) r.estimates.push_back(v);
     },
     [](const SessionRecord& r) { return Estimates(r.estimates); }},
    IntColumn<[](auto& r) -> auto& { return r.known[0]; }>("known_en"),
    IntColumn<[](auto& r) -> auto& { return r.known[1]; }>("known_ja"),
    IntColumn<[](auto& r) -> auto& { return r.neverAsked; }>("never_asked"),
};

// "started, ended, ...": the names joined by `separator`.
std::string ColumnNames(const char* separator) {
    std::string out;
    for (const Column& c : kColumns) out += (out.empty() ? "" : separator) + std::string(c.name);
    return out;
}

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

// The layout version of the history; -1 when it cannot be read or is newer
// than this Kelvora's, and why in *error.
int UserVersion(sqlite3* db, std::string* error) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &s, nullptr);
    Statement version(s);
    if (rc != SQLITE_OK || (rc = sqlite3_step(s)) != SQLITE_ROW) {
        *error = Why(db, rc);
        return -1;
    }
    const int v = sqlite3_column_int(s, 0);
    if (v > kSchema) {
        *error = "it was written by a newer Kelvora, so this one leaves it as it is";
        return -1;
    }
    return v;
}

// Opens the history and checks that it is one this Kelvora can use.
Db Open(const std::filesystem::path& file, bool write, std::string* error) {
    sqlite3* raw = nullptr;
    const bool exists = StatPath(file).kind != PathStatus::Kind::Missing;
    const int flags = write ? SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE) : SQLITE_OPEN_READONLY;
    int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        *error = Why(raw, rc);
        return nullptr;
    }
    sqlite3_busy_timeout(raw, 2000);
    return UserVersion(raw, error) < 0 ? nullptr : std::move(db);
}

bool Exec(sqlite3* db, const char* sql, std::string* error) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) *error = Why(db, rc);
    return rc == SQLITE_OK;
}

// Brings the history up to this Kelvora's layout, inside the caller's
// transaction.
bool Migrate(sqlite3* db, std::string* error) {
    const int version = UserVersion(db, error);
    if (version < 0) return false;
    for (int step = version; step < kSchema; ++step)
        if (!Exec(db, kMigrations[step], error)) return false;
    if (version == kSchema) return true;
    const std::string set = "PRAGMA user_version=" + std::to_string(kSchema);
    return Exec(db, set.c_str(), error);
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
    if (!Migrate(d, &error)) return rollback();
    std::string sql = "INSERT INTO sessions (" + ColumnNames(", ") + ") VALUES (?";
    for (std::size_t i = 1; i < std::size(kColumns); ++i) sql += ",?";
    sql += ")";
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(d, sql.c_str(), -1, &s, nullptr);
    Statement insert(s);
    if (rc != SQLITE_OK) {
        error = Why(d, rc);
        return rollback();
    }
    for (std::size_t i = 0; i < std::size(kColumns); ++i) kColumns[i].bind(s, static_cast<int>(i) + 1, r);
    if ((rc = sqlite3_step(s)) != SQLITE_DONE) {
        error = Why(d, rc);
        return rollback();
    }
    if (!Exec(d, "COMMIT", &error)) return rollback();
    return {};
}

std::vector<SessionRecord> SqliteHistory::Sessions(std::string* error) const { return ReadHistory(file_, error); }

std::vector<SessionRecord> ReadHistory(const std::filesystem::path& file, std::string* error) {
    std::vector<SessionRecord> out;
    if (StatPath(file).kind == PathStatus::Kind::Missing) return out;
    const Db db = Open(file, false, error);
    if (!db) return out;
    sqlite3_stmt* s = nullptr;
    const std::string sql = "SELECT " + ColumnNames(", ") + " FROM sessions ORDER BY ended, id";
    int rc = sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &s, nullptr);
    Statement select(s);
    if (rc != SQLITE_OK) {
        // A file of this Kelvora that never kept a session has no table.
        if (std::string(sqlite3_errmsg(db.get())).find("no such table") == std::string::npos) *error = Why(db.get(), rc);
        return out;
    }
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        SessionRecord r;
        for (std::size_t i = 0; i < std::size(kColumns); ++i) kColumns[i].read(s, static_cast<int>(i), r);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) {
        *error = Why(db.get(), rc);
        out.clear();
    }
    return out;
}

std::string HistoryCsv(const std::vector<SessionRecord>& sessions) {
    std::string out = ColumnNames(",") + "\r\n";
    for (const SessionRecord& r : sessions) {
        for (std::size_t i = 0; i < std::size(kColumns); ++i) out += (i ? "," : "") + kColumns[i].csv(r);
        out += "\r\n";
    }
    return out;
}

}  // namespace kelvora
