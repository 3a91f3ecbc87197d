// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SQLite plumbing of the history: opening a file this Kelvora can use,
// bringing its layout up to date, statements and transactions.
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace kelvora::store {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, Closer>;

// Why SQLite failed, for the learner; `writing` when the file was opened
// to be written.
std::string Why(sqlite3* db, int code, bool writing = true);

inline constexpr const char* kDamaged = "the file is damaged, so Kelvora leaves it as it is";

// The history's layout by version (SQLite's user_version): step i brings a
// file of version i to version i + 1.
struct Layout {
    std::span<const char* const> migrations;
    int Version() const { return static_cast<int>(migrations.size()); }
};

// Opens the history; nothing, and why in *error, when it cannot be opened,
// is damaged or was written by a newer Kelvora. Only a plain file is
// opened (never a FIFO: nothing waits on it), and its journals must be
// plain files too. Reading never creates it and needs no write access: in
// a read-only folder the file is read as it stands, and where its path is
// longer than SQLite takes, from a copy in memory. A file without a write
// permission bit is never written, even by root. No file to read is no
// store and no error.
// A file another program holds is waited for up to `busyWaitMs`.
Db Open(const std::filesystem::path& file, const Layout& layout, bool write, std::string* error,
        int busyWaitMs = 2000);

// Whether SQLite cannot take the file's path (then Open reads from a copy).
bool PathTooLong(const std::filesystem::path& file);

// A long read on another thread that can be stopped.
class Interruptible {
public:
    // Stops the read now and any that would begin.
    void Interrupt();

private:
    friend std::string CheckWhole(const std::filesystem::path&, const Layout&, Interruptible*);
    std::mutex mutex_;
    sqlite3* db_ = nullptr;
    bool stopped_ = false;
};

// Whether the file is whole, by SQLite's own check of every page: empty
// when it is (or is not there), else why it must not be written. It reads
// the whole file: run it once, before the first write.
std::string CheckWhole(const std::filesystem::path& file, const Layout& layout, Interruptible* stop = nullptr);

// The layout version of an open history; -1 (and why) when it cannot be
// read, is damaged (below 0) or is newer than `layout`.
int VersionOf(sqlite3* db, const Layout& layout, std::string* error, bool writing = true);

bool Exec(sqlite3* db, const char* sql, std::string* error);

// A write transaction: BEGIN IMMEDIATE, the layout brought up to date, and
// ROLLBACK unless Commit is reached.
class Transaction {
public:
    Transaction(sqlite3* db, const Layout& layout, std::string* error);
    ~Transaction();
    explicit operator bool() const { return open_; }
    bool Commit();

private:
    sqlite3* db_;
    std::string* error_;
    bool open_ = false;
};

// A prepared statement, bound by position (from 1) and stepped.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return s_ != nullptr; }
    int prepareCode() const { return rc_; }
    Statement& Bind(int i, std::int64_t v);
    Statement& Bind(int i, double v);
    Statement& Bind(int i, const std::string& v);
    Statement& BindNull(int i);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // Ready for the next row to insert (bindings kept).
    void Reset();
    std::int64_t Int(int column) const { return sqlite3_column_int64(s_, column); }
    double Real(int column) const { return sqlite3_column_double(s_, column); }
    bool IsNull(int column) const { return sqlite3_column_type(s_, column) == SQLITE_NULL; }
    std::string Text(int column) const;
    sqlite3_stmt* get() const { return s_; }

private:
    sqlite3_stmt* s_ = nullptr;
    int rc_ = SQLITE_OK;
};

}  // namespace kelvora::store
