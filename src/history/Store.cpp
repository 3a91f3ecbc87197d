// SPDX-License-Identifier: GPL-3.0-or-later
#include "Store.h"

#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/TextFile.h"

namespace kelvora::store {

// A history read from a copy in memory (where SQLite cannot take its path)
// is refused beyond this size.
inline constexpr std::uintmax_t kMaxHistoryCopyBytes = std::uintmax_t{4} << 30;

std::string Why(sqlite3* db, int code, bool writing) {
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT: return kDamaged;
        case SQLITE_FULL: return "the disk is full";
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
            return writing ? "it cannot be written (is the folder read-only?)"
                           : "Kelvora may not open it (are its permissions or its folder's right?)";
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return "another program holds it";
        case SQLITE_IOERR: return "the disk could not read or write it";
        default: return db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    }
}

namespace {

// The layout version; SQLITE_ROW when it was read.
int ReadVersion(sqlite3* db, int* version) {
    Statement statement(db, "PRAGMA user_version");
    const int rc = statement ? statement.Step() : statement.prepareCode();
    if (rc == SQLITE_ROW) *version = static_cast<int>(statement.Int(0));
    return rc;
}

bool CannotOpen(int code) {
    code &= 0xFF;
    return code == SQLITE_CANTOPEN || code == SQLITE_READONLY || code == SQLITE_PERM;
}

// Why a path cannot hold the history, or nothing.
std::optional<std::string> NotAPlainFile(const std::filesystem::path& file) {
    const PathStatus s = StatPath(file);
    if (s.kind == PathStatus::Kind::Folder)
        return "it is a folder, not a file: move it out of the way, and Kelvora starts a new history";
    if (s.kind == PathStatus::Kind::Other) return "it is not a plain file";
    // SQLite opens these beside it: a FIFO there would hold it for ever.
    for (const char* journal : {"-wal", "-shm", "-journal"}) {
        const PathStatus j = StatPath(file.string() + journal);
        if (j.kind == PathStatus::Kind::Folder || j.kind == PathStatus::Kind::Other)
            return "its journal " + file.filename().string() + journal + " is not a plain file";
    }
    return std::nullopt;
}

// The file's absolute path as SQLite would spell it, and the longest it
// takes.
std::size_t PathLength(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(file, ec).parent_path();
    std::string full = ec ? file.string() : std::filesystem::absolute(file, ec).string();
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
        full = std::string(real) + "/" + file.filename().string();
        std::free(real);
    }
    return full.size();
}
int LongestPath() {
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs ? vfs->mxPathname : 512;
}

// "file:" and the path, for SQLite's URI names.
std::string Uri(const std::filesystem::path& file) {
    std::error_code ec;
    const std::string path = std::filesystem::absolute(file, ec).string();
    std::string out = "file:";
    const char* hex = "0123456789ABCDEF";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20 || c >= 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The file read into memory, for reading where SQLite cannot open it by
// its path.
Db OpenCopy(const std::filesystem::path& file, std::string* error) {
    const FileRead read = ReadFileBytes(file, kMaxHistoryCopyBytes);
    if (!read) {
        *error = read.problem.empty() ? "it cannot be read" : read.problem;
        return nullptr;
    }
    sqlite3* raw = nullptr;
    sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    Db db(raw);
    const std::string& bytes = *read;
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(std::max<std::size_t>(bytes.size(), 1)));
    if (!db || !copy) {
        sqlite3_free(copy);
        *error = "there is not enough memory to read it";
        return nullptr;
    }
    std::memcpy(copy, bytes.data(), bytes.size());
    // A copy in memory has no write-ahead log: read it as a plain file.
    if (bytes.size() > 19 && copy[18] == 2 && copy[19] == 2) copy[18] = copy[19] = 1;
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    const int rc = sqlite3_deserialize(db.get(), "main", copy, size, size,
                                       SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY);
    if (rc != SQLITE_OK) {
        *error = Why(db.get(), rc, false);
        return nullptr;
    }
    return db;
}

// Opened as SQLite opens it: by its path, or as it stands (read-only,
// without its locks or journal: a read-only folder).
Db OpenByPath(const std::string& name, int flags, int busyWaitMs, int* rc) {
    sqlite3* raw = nullptr;
    *rc = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (*rc != SQLITE_OK) return nullptr;
    sqlite3_busy_timeout(raw, busyWaitMs);
    return db;
}

}  // namespace

bool PathTooLong(const std::filesystem::path& file) {
    // Room for the journal's "-journal" too.
    return PathLength(file) + 8 >= static_cast<std::size_t>(LongestPath());
}

int VersionOf(sqlite3* db, const Layout& layout, std::string* error, bool writing) {
    int v = 0;
    const int rc = ReadVersion(db, &v);
    if (rc != SQLITE_ROW) {
        *error = Why(db, rc, writing);
        return -1;
    }
    if (v < 0) {
        *error = kDamaged;
        return -1;
    }
    if (v > layout.Version()) {
        *error = "it was written by a newer Kelvora, so this one leaves it as it is";
        return -1;
    }
    return v;
}

Db Open(const std::filesystem::path& file, const Layout& layout, bool write, std::string* error, int busyWaitMs) {
    if (const auto why = NotAPlainFile(file)) {
        *error = *why;
        return nullptr;
    }
    const PathStatus status = StatPath(file);
    const bool exists = status.kind != PathStatus::Kind::Missing;
    if (!write && !exists) return nullptr;
    if (write && exists && status.readOnly) {
        *error = "the file is read-only";
        return nullptr;
    }
    const bool tooLong = PathTooLong(file);
    if (write && tooLong) {
        *error = "its path is " + std::to_string(PathLength(file)) + " bytes long, longer than SQLite can write (" +
                 std::to_string(LongestPath() - 9) + " at most): keep the data folder in a folder with a shorter path";
        return nullptr;
    }
    // One connection a task, never shared between threads: SQLite need not
    // lock it at every call (which costs a third of reading a long log).
    int rc = SQLITE_OK;
    Db db;
    if (tooLong) {
        db = OpenCopy(file, error);
        if (!db) return nullptr;
    } else {
        const int flags = SQLITE_OPEN_NOMUTEX |
                          (write ? SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE) : SQLITE_OPEN_READONLY);
        db = OpenByPath(file.string(), flags, busyWaitMs, &rc);
        int version = 0;
        if (db) rc = ReadVersion(db.get(), &version);
        if (!write && (rc & 0xFF) != SQLITE_ROW && CannotOpen(rc)) {
            // A read-only folder: SQLite cannot make the files it shares
            // with writers beside it, and no writer can be there either.
            db = OpenByPath(Uri(file) + "?immutable=1", SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                             busyWaitMs, &rc);
        }
        if (!db) {
            *error = Why(nullptr, rc, write);
            return nullptr;
        }
    }
    if (VersionOf(db.get(), layout, error, write) < 0) return nullptr;
    if (write && !Exec(db.get(), "PRAGMA journal_mode=WAL", error)) return nullptr;
    // A long review log is read faster straight from the mapped file.
    sqlite3_exec(db.get(), "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
    return db;
}

void Interruptible::Interrupt() {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    if (db_) sqlite3_interrupt(db_);
}

std::string CheckWhole(const std::filesystem::path& file, const Layout& layout, Interruptible* stop) {
    std::string error;
    const Db db = Open(file, layout, false, &error);
    if (!db) return error;
    // Read through SQLite's small cache, not the mapped file: the check
    // reads every page once, and the program's memory need not hold them.
    sqlite3_exec(db.get(), "PRAGMA mmap_size=0", nullptr, nullptr, nullptr);
    if (stop) {
        const std::lock_guard<std::mutex> lock(stop->mutex_);
        if (stop->stopped_) return "the check was stopped";
        stop->db_ = db.get();
    }
    Statement check(db.get(), "PRAGMA quick_check(1)");
    const int rc = check ? check.Step() : check.prepareCode();
    const std::string ok = rc == SQLITE_ROW ? check.Text(0) : std::string();
    if (stop) {
        const std::lock_guard<std::mutex> lock(stop->mutex_);
        stop->db_ = nullptr;
    }
    if (rc != SQLITE_ROW) return Why(db.get(), rc, false);
    return ok == "ok" ? std::string() : kDamaged;
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
