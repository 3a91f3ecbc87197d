// SPDX-License-Identifier: GPL-3.0-or-later
#include "Store.h"

#include "platform/TextFile.h"

namespace kelvora::store {

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

int VersionOf(sqlite3* db, const Layout& layout, std::string* error) {
    Statement version(db, "PRAGMA user_version");
    const int rc = version ? version.Step() : version.prepareCode();
    if (rc != SQLITE_ROW) {
        *error = Why(db, rc);
        return -1;
    }
    const int v = static_cast<int>(version.Int(0));
    if (v > layout.Version()) {
        *error = "it was written by a newer Kelvora, so this one leaves it as it is";
        return -1;
    }
    return v;
}

Db Open(const std::filesystem::path& file, const Layout& layout, bool write, std::string* error) {
    sqlite3* raw = nullptr;
    const bool exists = StatPath(file).kind != PathStatus::Kind::Missing;
    // One connection a task, never shared between threads: SQLite need not
    // lock it at every call (which costs a third of reading a long log).
    const int flags = SQLITE_OPEN_NOMUTEX |
                      (write ? SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE) : SQLITE_OPEN_READONLY);
    const int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        *error = Why(raw, rc);
        return nullptr;
    }
    sqlite3_busy_timeout(raw, 2000);
    if (VersionOf(raw, layout, error) < 0) return nullptr;
    if (write && !Exec(raw, "PRAGMA journal_mode=WAL", error)) return nullptr;
    // A long review log is read faster straight from the mapped file.
    sqlite3_exec(raw, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
    return db;
}

bool Exec(sqlite3* db, const char* sql, std::string* error) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) *error = Why(db, rc);
    return rc == SQLITE_OK;
}

Transaction::Transaction(sqlite3* db, const Layout& layout, std::string* error) : db_(db), error_(error) {
    if (!Exec(db, "BEGIN IMMEDIATE", error)) return;
    open_ = true;
    // Read again inside the transaction: another Kelvora may have moved it on.
    const int version = VersionOf(db, layout, error);
    bool ok = version >= 0;
    for (int step = version; ok && step < layout.Version(); ++step)
        ok = Exec(db, layout.migrations[static_cast<std::size_t>(step)], error);
    if (ok && version < layout.Version()) {
        const std::string set = "PRAGMA user_version=" + std::to_string(layout.Version());
        ok = Exec(db, set.c_str(), error);
    }
    if (!ok) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        open_ = false;
    }
}

Transaction::~Transaction() {
    if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Transaction::Commit() {
    if (!open_ || !Exec(db_, "COMMIT", error_)) return false;
    open_ = false;
    return true;
}

Statement::Statement(sqlite3* db, const std::string& sql) {
    rc_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &s_, nullptr);
    if (rc_ != SQLITE_OK) {
        sqlite3_finalize(s_);
        s_ = nullptr;
    }
}

Statement::~Statement() { sqlite3_finalize(s_); }

Statement& Statement::Bind(int i, std::int64_t v) {
    sqlite3_bind_int64(s_, i, v);
    return *this;
}
Statement& Statement::Bind(int i, double v) {
    sqlite3_bind_double(s_, i, v);
    return *this;
}
Statement& Statement::Bind(int i, const std::string& v) {
    sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    return *this;
}
Statement& Statement::BindNull(int i) {
    sqlite3_bind_null(s_, i);
    return *this;
}

int Statement::Step() { return sqlite3_step(s_); }

void Statement::Reset() { sqlite3_reset(s_); }

std::string Statement::Text(int column) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
    return std::string(t ? t : "", static_cast<std::size_t>(sqlite3_column_bytes(s_, column)));
}

}  // namespace kelvora::store
