// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteHistory.h"

#include <cstdio>
#include <ctime>
#include <algorithm>
#include <climits>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>
#include <type_traits>

#include "PendingSessions.h"
#include "Store.h"
#include "files/OwnSettings.h"
#include "memory/Outlook.h"
#include "memory/ParametersText.h"
#include "platform/TextFile.h"
#include "text/Csv.h"
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
    // 2: every judged word answer (a review) of a card, a word of a word
    // database in one direction; imported reviews belong to no session and
    // keep their grade. A review is there once: the same card at the same
    // second (keyed by time first, so a session's reviews go in at the end
    // of the key). The parameters fitted to the learner.
    "CREATE TABLE cards (id INTEGER PRIMARY KEY, word_database TEXT NOT NULL, word TEXT NOT NULL,"
    " direction INTEGER NOT NULL, UNIQUE (word_database, word, direction));"
    "CREATE TABLE reviews (id INTEGER PRIMARY KEY, session INTEGER REFERENCES sessions (id),"
    " card INTEGER NOT NULL REFERENCES cards (id), at INTEGER NOT NULL, right INTEGER NOT NULL,"
    " timed_out INTEGER NOT NULL, seconds_left INTEGER NOT NULL, mode REAL NOT NULL, grade INTEGER,"
    " UNIQUE (at, card));"
    "CREATE TABLE parameters (id INTEGER PRIMARY KEY CHECK (id = 1), weights TEXT NOT NULL,"
    " fitted INTEGER NOT NULL, reviews INTEGER NOT NULL)",
    // 3: the slowest pace of a session's questions (0: without a limit).
    "ALTER TABLE sessions ADD COLUMN time_scale INTEGER NOT NULL DEFAULT 1",
    // 4: every review keeps its grade (a session's, kept without one so
    // far, graded by the program's rule, kelvora_grade), the answer time in
    // milliseconds and the choice picked (unknown for the reviews before).
    // Two reviews of one card in the same second are two reviews: the key
    // on (at, card) goes, a plain index on the same finds a review again (in
    // time order, so a session's reviews go in at its end).
    "CREATE TABLE reviews_4 (id INTEGER PRIMARY KEY, session INTEGER REFERENCES sessions (id),"
    " card INTEGER NOT NULL REFERENCES cards (id), at INTEGER NOT NULL, right INTEGER NOT NULL,"
    " timed_out INTEGER NOT NULL, seconds_left INTEGER NOT NULL, mode REAL NOT NULL, grade INTEGER NOT NULL,"
    " response_ms INTEGER, chosen TEXT);"
    "INSERT INTO reviews_4 (id, session, card, at, right, timed_out, seconds_left, mode, grade)"
    " SELECT id, session, card, at, right, timed_out, seconds_left, mode, coalesce(grade, kelvora_grade(right, timed_out))"
    " FROM reviews ORDER BY id;"
    "DROP TABLE reviews;"
    "ALTER TABLE reviews_4 RENAME TO reviews;"
    "CREATE INDEX reviews_by_time ON reviews (at, card)",
    // 5: the saves of the word editor whose renamed words the cards have
    // followed, so that a save finished again renames nothing twice.
    "CREATE TABLE word_saves (id TEXT PRIMARY KEY)",
};
const store::Layout kLayout{kMigrations};

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
    // The layout version that brought it, and what a file of an older
    // one, read as it stands, gives in its place.
    int since = 1;
    const char* before = "NULL";
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
    {"time_scale", [](sqlite3_stmt* s, int i, const SessionRecord& r) { sqlite3_bind_int64(s, i, r.timeScale); },
     [](sqlite3_stmt* s, int i, SessionRecord& r) { r.timeScale = static_cast<int>(sqlite3_column_int64(s, i)); },
     [](const SessionRecord& r) { return TimeScaleText(r.timeScale); }, 3, "1"},
};

// "started, ended, ...": the names joined by `separator`.
std::string ColumnNames(const char* separator) {
    std::string out;
    for (const Column& c : kColumns) out += (out.empty() ? "" : separator) + std::string(c.name);
    return out;
}

// The columns to select from a file of layout `version`: those it lacks
// as the value they stand for.
std::string SelectedColumns(int version) {
    std::string out;
    for (const Column& c : kColumns)
        out += (out.empty() ? "" : ", ") + (version >= c.since ? std::string(c.name) : std::string(c.before) + " AS " + c.name);
    return out;
}

// The grading rule of the program, for the migration that grades the
// reviews kept without a grade: kelvora_grade(right, timed_out).
void GradeFunction(sqlite3_context* context, int, sqlite3_value** values) {
    sqlite3_result_int(context, GradeOf(sqlite3_value_int64(values[0]) != 0, sqlite3_value_int64(values[1]) != 0));
}

// A review as a row: the session it belongs to (none for an imported one)
// and its card's id.
struct ReviewRow {
    const Review& review;
    std::int64_t session;  // ReviewLog::kImported: none
    std::int64_t card;
};

void BindInt(sqlite3_stmt* s, int i, std::int64_t v) { sqlite3_bind_int64(s, i, v); }

// One column of a review: how it is written, and read into the log (a
// column the memory needs is read always, the others with the details).
struct ReviewColumn {
    const char* name;
    void (*bind)(sqlite3_stmt*, int, const ReviewRow&);
    void (*read)(sqlite3_stmt*, int, ReviewLog&, ReviewLog::Event&);
    bool memory = false;
    // The layout version that brought it: a file of an older one, read as
    // it stands, gives NULL in its place.
    int since = 2;
};

// The grade a file of a layout before 4 left out for a session's review: 0.
constexpr std::uint8_t kNoGrade = 0;

const ReviewColumn kReviewColumns[] = {
    {"card", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.card); }, nullptr, true},
    {"at", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.review.at); },
     [](sqlite3_stmt* s, int i, ReviewLog&, ReviewLog::Event& e) { e.at = sqlite3_column_int64(s, i); }, true},
    {"grade", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.review.grade); },
     [](sqlite3_stmt* s, int i, ReviewLog&, ReviewLog::Event& e) {
         e.grade = sqlite3_column_type(s, i) == SQLITE_NULL
                       ? kNoGrade
                       : static_cast<std::uint8_t>(std::clamp<std::int64_t>(sqlite3_column_int64(s, i), kAgain, kEasy));
     },
     true},
    {"session",
     [](sqlite3_stmt* s, int i, const ReviewRow& r) {
         if (r.session == ReviewLog::kImported) sqlite3_bind_null(s, i);
         else BindInt(s, i, r.session);
     },
     [](sqlite3_stmt* s, int i, ReviewLog&, ReviewLog::Event& e) {
         // NULL, an imported review, reads as 0.
         e.session = std::max<std::int64_t>(sqlite3_column_int64(s, i), ReviewLog::kImported);
     },
     true},
    {"right", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.review.right); }, nullptr},
    {"timed_out", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.review.timedOut); }, nullptr},
    {"seconds_left", [](sqlite3_stmt* s, int i, const ReviewRow& r) { BindInt(s, i, r.review.secondsLeft); },
     [](sqlite3_stmt* s, int i, ReviewLog&, ReviewLog::Event& e) {
         e.secondsLeft = static_cast<std::int32_t>(sqlite3_column_int64(s, i));
     }},
    {"mode", [](sqlite3_stmt* s, int i, const ReviewRow& r) { sqlite3_bind_double(s, i, r.review.mode); }, nullptr},
    {"response_ms",
     [](sqlite3_stmt* s, int i, const ReviewRow& r) {
         if (r.review.responseMs < 0) sqlite3_bind_null(s, i);
         else BindInt(s, i, r.review.responseMs);
     },
     [](sqlite3_stmt* s, int i, ReviewLog&, ReviewLog::Event& e) {
         e.responseMs = sqlite3_column_type(s, i) == SQLITE_NULL
                            ? kNoResponseTime
                            : static_cast<std::int32_t>(std::clamp<std::int64_t>(sqlite3_column_int64(s, i), 0, INT32_MAX));
     },
     false, 4},
    {"chosen",
     [](sqlite3_stmt* s, int i, const ReviewRow& r) {
         if (r.review.chosen.empty()) sqlite3_bind_null(s, i);
         else sqlite3_bind_text(s, i, r.review.chosen.c_str(), -1, SQLITE_TRANSIENT);
     },
     [](sqlite3_stmt* s, int i, ReviewLog& log, ReviewLog::Event& e) {
         if (sqlite3_column_type(s, i) == SQLITE_NULL) return;
         e.choice = static_cast<std::int32_t>(log.chosen.size());
         log.chosen.push_back(Text(s, i));
     },
     false, 4},
};

// Adds a review: "INSERT INTO reviews (card, at, ...) VALUES (?1, ?2, ...)",
// and when `once`, only where the card has no review of that time and
// grade already.
std::string InsertReviewSql(bool once) {
    std::string names, values;
    int card = 0, at = 0, grade = 0;
    for (std::size_t i = 0; i < std::size(kReviewColumns); ++i) {
        const std::string n = kReviewColumns[i].name;
        const std::string v = "?" + std::to_string(i + 1);
        names += (i ? ", " : "") + n;
        values += (i ? ", " : "") + v;
        if (n == "card") card = static_cast<int>(i + 1);
        if (n == "at") at = static_cast<int>(i + 1);
        if (n == "grade") grade = static_cast<int>(i + 1);
    }
    if (!once) return "INSERT INTO reviews (" + names + ") VALUES (" + values + ")";
    return "INSERT INTO reviews (" + names + ") SELECT " + values + " WHERE NOT EXISTS (SELECT 1 FROM reviews WHERE card = ?" +
           std::to_string(card) + " AND at = ?" + std::to_string(at) + " AND grade = ?" + std::to_string(grade) + ")";
}

// Binds and steps; false, and why in *error, on failure.
bool InsertReview(sqlite3* db, store::Statement& insert, const ReviewRow& row, std::string* error) {
    insert.Reset();
    for (std::size_t i = 0; i < std::size(kReviewColumns); ++i) kReviewColumns[i].bind(insert.get(), static_cast<int>(i) + 1, row);
    const int rc = insert.Step();
    if (rc != SQLITE_DONE) *error = store::Why(db, rc);
    return rc == SQLITE_DONE;
}

}  // namespace

// The card ids of an open history, made where missing.
class HistoryCards {
public:
    explicit HistoryCards(sqlite3* db)
        : find_(db, "SELECT id FROM cards WHERE word_database = ? AND word = ? AND direction = ?"),
          add_(db, "INSERT INTO cards (word_database, word, direction) VALUES (?,?,?)"),
          db_(db) {}
    // The card's id; -1 (and why) on failure.
    std::int64_t Id(const std::string& database, const std::string& word, int direction, std::string* error) {
        const auto key = std::make_tuple(database, word, direction);
        if (const auto it = known_.find(key); it != known_.end()) return it->second;
        if (!find_ || !add_) {
            *error = store::Why(db_, find_ ? add_.prepareCode() : find_.prepareCode());
            return -1;
        }
        find_.Reset();
        find_.Bind(1, database).Bind(2, word).Bind(3, std::int64_t{direction});
        std::int64_t id = -1;
        int rc = find_.Step();
        if (rc == SQLITE_ROW) {
            id = find_.Int(0);
        } else if (rc == SQLITE_DONE) {
            add_.Reset();
            add_.Bind(1, database).Bind(2, word).Bind(3, std::int64_t{direction});
            if ((rc = add_.Step()) == SQLITE_DONE) id = sqlite3_last_insert_rowid(db_);
        }
        if (id < 0) *error = store::Why(db_, rc);
        if (id >= 0) known_.emplace(key, id);
        return id;
    }

private:
    store::Statement find_, add_;
    sqlite3* db_;
    std::map<std::tuple<std::string, std::string, int>, std::int64_t> known_;
};

namespace {

// Adds a session and its reviews; false, and why in *error, on failure.
bool InsertSession(sqlite3* db, HistoryCards& cards, const SessionRecord& r, std::string* error) {
    std::string sql = "INSERT INTO sessions (" + ColumnNames(", ") + ") VALUES (?";
    for (std::size_t i = 1; i < std::size(kColumns); ++i) sql += ",?";
    store::Statement insert(db, sql + ")");
    store::Statement review(db, InsertReviewSql(false));
    if (!insert || !review) {
        *error = store::Why(db, insert ? review.prepareCode() : insert.prepareCode());
        return false;
    }
    for (std::size_t i = 0; i < std::size(kColumns); ++i) kColumns[i].bind(insert.get(), static_cast<int>(i) + 1, r);
    if (const int rc = insert.Step(); rc != SQLITE_DONE) {
        *error = store::Why(db, rc);
        return false;
    }
    const std::int64_t session = sqlite3_last_insert_rowid(db);
    for (const Review& v : r.reviews) {
        const std::int64_t card = cards.Id(r.wordDb, v.word, v.direction, error);
        if (card < 0 || !InsertReview(db, review, {v, session, card}, error)) return false;
    }
    return true;
}

// Adds a session kept for later, unless an earlier write added it already
// (and was ended before it could remove the file).
bool InsertPendingSession(sqlite3* db, HistoryCards& cards, const SessionRecord& r, std::string* error) {
    store::Statement there(db, "SELECT 1 FROM sessions WHERE started = ? AND ended = ? AND word_database = ?");
    if (!there) {
        *error = store::Why(db, there.prepareCode());
        return false;
    }
    there.Bind(1, r.started).Bind(2, r.ended).Bind(3, r.wordDb);
    const int rc = there.Step();
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) {
        *error = store::Why(db, rc);
        return false;
    }
    return InsertSession(db, cards, r, error);
}

}  // namespace

SqliteHistory::SqliteHistory(std::filesystem::path file, int busyWaitMs)
    : file_(std::move(file)), busyWaitMs_(busyWaitMs), stopCheck_(std::make_shared<store::Interruptible>()) {}

SqliteHistory::~SqliteHistory() { stopCheck_->Interrupt(); }

void SqliteHistory::CheckInBackground() {
    if (!check_.valid())
        check_ = std::async(std::launch::async, [file = file_, stop = stopCheck_] {
                     return store::CheckWhole(file, kLayout, stop.get());
                 }).share();
}

std::string SqliteHistory::WhyNotWhole() {
    if (!check_.valid()) check_ = std::async(std::launch::deferred, [this] { return store::CheckWhole(file_, kLayout); }).share();
    return check_.get();
}

std::filesystem::path SqliteHistory::PendingPath() const { return file_.parent_path() / kPendingFile; }

Result<std::vector<SessionRecord>> SqliteHistory::Pending() const {
    std::vector<SessionRecord> sessions;
    const FileRead read = ReadFileBytes(PendingPath(), kMaxPendingBytes);
    if (!read) {
        if (!read.problem.empty()) return Result<std::vector<SessionRecord>>::Failed(std::string(kPendingFile) + " cannot be read: " + read.problem);
        return sessions;
    }
    std::string why;
    if (!ParsePending(*read, &sessions, &why))
        return Result<std::vector<SessionRecord>>::Failed(std::string(kPendingFile) + " cannot be read: " + why);
    return sessions;
}

std::string SqliteHistory::Write(const std::function<bool(sqlite3*, HistoryCards&, std::string*)>& body) {
    if (std::string why = WhyNotWhole(); !why.empty()) return why;
    std::string error;
    const store::Db db = store::Open(file_, kLayout, true, &error, busyWaitMs_);
    if (!db) return error;
    sqlite3_create_function(db.get(), "kelvora_grade", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, GradeFunction,
                            nullptr, nullptr);
    store::Transaction transaction(db.get(), kLayout, &error);
    if (!transaction) return error;
    HistoryCards cards(db.get());
    // Sessions kept for later go in first, in their order. A pending file
    // that cannot be read stays as it is, for the learner to see; it stops
    // nothing else.
    const Result<std::vector<SessionRecord>> readPending = Pending();
    const std::vector<SessionRecord> pending = readPending ? *readPending : std::vector<SessionRecord>{};
    for (const SessionRecord& r : pending)
        if (!InsertPendingSession(db.get(), cards, r, &error)) return error;
    if (!body(db.get(), cards, &error)) return error;
    if (!transaction.Commit()) return error;
    if (!pending.empty()) RemoveFile(PendingPath());
    return {};
}

AppendOutcome SqliteHistory::Append(const SessionRecord& r) {
    AppendOutcome out;
    out.problem = Write([&r](sqlite3* db, HistoryCards& cards, std::string* error) { return InsertSession(db, cards, r, error); });
    if (out.problem.empty()) return out;
    // Kept beside the history, to go in at its next write.
    const std::filesystem::path pending = PendingPath();
    const FileRead before = ReadFileBytes(pending, kMaxPendingBytes);
    if (!before && !before.problem.empty()) {
        out.problem += "; nor can it be kept in " + pending.string() + " for later: " + before.problem;
        return out;
    }
    const WriteResult w = WriteFileAtomic(pending, (before ? *before : PendingHeading()) + PendingText(r));
    if (!w.ok) {
        out.problem += "; nor can it be kept in " + pending.string() + " for later: " + w.reason;
        return out;
    }
    out.keptForLater = true;
    out.keptIn = pending.string();
    return out;
}

Result<std::vector<SessionRecord>> SqliteHistory::Sessions() const {
    Result<std::vector<SessionRecord>> sessions = ReadHistory(file_);
    if (!sessions) return sessions;
    Result<std::vector<SessionRecord>> pending = Pending();
    if (!pending) return pending;
    for (SessionRecord& r : *pending) {
        r.reviews.clear();  // as the history gives sessions back
        sessions->push_back(std::move(r));
    }
    return sessions;
}

namespace {

// A file of an older layout, or one that never kept a session, lacks the
// table: that is no error, only nothing to read.
bool NoSuchTable(sqlite3* db) { return std::string(sqlite3_errmsg(db)).find("no such table") != std::string::npos; }

}  // namespace

Result<std::vector<SessionRecord>> ReadHistory(const std::filesystem::path& file) {
    using Read = Result<std::vector<SessionRecord>>;
    std::vector<SessionRecord> out;
    std::string error;
    const store::Db db = store::Open(file, kLayout, false, &error);
    if (!error.empty()) return Read::Failed(error);
    if (!db) return out;
    std::string ignored;
    const int version = store::VersionOf(db.get(), kLayout, &ignored, false);
    store::Statement select(db.get(), "SELECT " + SelectedColumns(version) + " FROM sessions ORDER BY ended, id");
    if (!select) {
        if (!NoSuchTable(db.get())) return Read::Failed(store::Why(db.get(), select.prepareCode()));
        return out;
    }
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        SessionRecord r;
        for (std::size_t i = 0; i < std::size(kColumns); ++i) kColumns[i].read(select.get(), static_cast<int>(i), r);
        out.push_back(std::move(r));
    }
    if (rc != SQLITE_DONE) return Read::Failed(store::Why(db.get(), rc));
    return out;
}

namespace {

// The part of the reviews query that reads rows with ids in [from, to].
struct ReviewQuery {
    std::string sql;  // with two parameters: the first id and the last
    std::vector<const ReviewColumn*> read;
    bool gradeLater = false;  // an older layout: the grade from right and timed_out
    const std::vector<std::int32_t>* indexOf = nullptr;
};

int ReadReviewRange(sqlite3* db, const ReviewQuery& q, std::int64_t from, std::int64_t to, ReviewLog* log,
                    ReviewLog::Events* events) {
    store::Statement reviews(db, q.sql);
    if (!reviews) return reviews.prepareCode();
    reviews.Bind(1, from).Bind(2, to);
    const std::vector<std::int32_t>& indexOf = *q.indexOf;
    const int last = static_cast<int>(q.read.size());
    int rc;
    while ((rc = reviews.Step()) == SQLITE_ROW) {
        const std::int64_t id = reviews.Int(0);  // the card, read first
        if (id < 0 || static_cast<std::size_t>(id) >= indexOf.size() || indexOf[static_cast<std::size_t>(id)] < 0)
            continue;
        ReviewLog::Event e;
        e.card = static_cast<std::uint32_t>(indexOf[static_cast<std::size_t>(id)]);
        for (int i = 1; i < last; ++i) q.read[static_cast<std::size_t>(i)]->read(reviews.get(), i, *log, e);
        if (e.grade == kNoGrade)
            e.grade = q.gradeLater ? GradeOf(reviews.Int(last) != 0, reviews.Int(last + 1) != 0) : kAgain;
        events->push_back(e);
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// The reviews kept in the database, in the order they were added; false,
// and why in *error, when they cannot be read.
bool ReadKeptReviews(const std::filesystem::path& file, sqlite3* db, const std::string& database, bool details,
                     ReviewLog* log, std::string* error) {
    store::Statement cards(db, "SELECT id, word_database, word, direction FROM cards");
    if (!cards) {
        if (!NoSuchTable(db)) *error = store::Why(db, cards.prepareCode(), false);
        return error->empty();
    }
    // Card ids are dense; index them by id.
    std::vector<std::int32_t> indexOf;
    int rc;
    while ((rc = cards.Step()) == SQLITE_ROW) {
        const std::int64_t id = cards.Int(0);
        std::string db_name = cards.Text(1);
        if ((!database.empty() && db_name != database) || id < 0 || id > (std::int64_t{1} << 31)) continue;
        if (static_cast<std::size_t>(id) >= indexOf.size()) indexOf.resize(static_cast<std::size_t>(id) + 1, -1);
        indexOf[static_cast<std::size_t>(id)] = static_cast<std::int32_t>(log->cards.size());
        log->cards.push_back({std::move(db_name), cards.Text(2), static_cast<int>(cards.Int(3))});
    }
    if (rc != SQLITE_DONE) {
        *error = store::Why(db, rc, false);
        return false;
    }
    // Each column read costs: without the details only what the memory
    // needs. A file of an older layout, read as it stands (before its first
    // write brings it up to date), lacks the later columns, and its
    // sessions' reviews their grade: the program's rule gives it.
    std::string ignored;
    const int version = store::VersionOf(db, kLayout, &ignored, false);
    ReviewQuery q;
    q.indexOf = &indexOf;
    std::string names;
    for (const ReviewColumn& c : kReviewColumns)
        if (c.memory || (details && c.read)) {
            names += (names.empty() ? "" : ", ") + (version >= c.since ? std::string(c.name) : "NULL AS " + std::string(c.name));
            q.read.push_back(&c);
        }
    q.gradeLater = version < 4;
    if (q.gradeLater) names += ", right, timed_out";
    q.sql = "SELECT " + names + " FROM reviews WHERE id BETWEEN ? AND ? ORDER BY id";
    // Ids grow by one a review: the largest is about how many there are.
    std::int64_t lastId = 0;
    if (store::Statement last(db, "SELECT max(id) FROM reviews"); last && last.Step() == SQLITE_ROW) lastId = last.Int(0);
    const auto roomFor = [](std::int64_t reviews) { return static_cast<std::size_t>(std::clamp<std::int64_t>(reviews, 0, std::int64_t{1} << 26)); };
    log->events.reserve(roomFor(lastId));
    // A long log is read in two halves at once, the later on a connection
    // and a thread of its own (the memory modes wait for it); the details
    // (CSV) go one way, and so does a file read from a copy.
    constexpr std::int64_t kSplitFrom = 200'000;
    std::future<std::pair<int, ReviewLog::Events>> later;
    std::int64_t firstEnd = INT64_MAX;
    if (!details && lastId >= kSplitFrom && !store::PathTooLong(file)) {
        firstEnd = lastId / 2;
        later = std::async(std::launch::async, [&file, &q, &roomFor, lastId, from = firstEnd + 1] {
            std::pair<int, ReviewLog::Events> out{SQLITE_OK, {}};
            std::string unused;
            const store::Db own = store::Open(file, kLayout, false, &unused);
            if (!own) {
                out.first = SQLITE_CANTOPEN;
                return out;
            }
            ReviewLog scratch;  // the memory's columns keep nothing beside the event
            out.second.reserve(roomFor(lastId - from + 1));
            out.first = ReadReviewRange(own.get(), q, from, INT64_MAX, &scratch, &out.second);
            return out;
        });
    }
    rc = ReadReviewRange(db, q, INT64_MIN, firstEnd, log, &log->events);
    if (later.valid()) {
        auto [laterRc, events] = later.get();
        // A second connection that could not be had: the first reads on.
        if (laterRc == SQLITE_CANTOPEN) laterRc = ReadReviewRange(db, q, firstEnd + 1, INT64_MAX, log, &events);
        if (rc == SQLITE_OK) rc = laterRc;
        log->events.insert(log->events.end(), events.begin(), events.end());
    }
    if (rc != SQLITE_OK) {
        *error = store::Why(db, rc, false);
        return false;
    }
    return true;
}

}  // namespace

Result<ReviewLog> SqliteHistory::Reviews(const std::string& database, bool details) const {
    ReviewLog log;
    std::string error;
    if (const store::Db db = store::Open(file_, kLayout, false, &error); db && !ReadKeptReviews(file_, db.get(), database, details, &log, &error))
        return Result<ReviewLog>::Failed(error);
    if (!error.empty()) return Result<ReviewLog>::Failed(error);
    GroupByCardAsMade(log);
    // Then the sessions waiting to go in: made after every kept one, as
    // the window's own session is.
    const Result<std::vector<SessionRecord>> pending = Pending();
    if (!pending) return Result<ReviewLog>::Failed(pending.error());
    for (const SessionRecord& r : *pending)
        if (database.empty() || r.wordDb == database) AddSessionReviews(log, r.wordDb, r.reviews);
    return log;
}

Result<std::optional<fsrs::Parameters>> SqliteHistory::FittedParameters() const {
    using Read = Result<std::optional<fsrs::Parameters>>;
    std::string error;
    const store::Db db = store::Open(file_, kLayout, false, &error);
    if (!error.empty()) return Read::Failed(error);
    if (!db) return std::optional<fsrs::Parameters>{};
    store::Statement select(db.get(), "SELECT weights FROM parameters WHERE id = 1");
    if (!select) {
        if (!NoSuchTable(db.get())) return Read::Failed(store::Why(db.get(), select.prepareCode()));
        return std::optional<fsrs::Parameters>{};
    }
    if (select.Step() != SQLITE_ROW) return std::optional<fsrs::Parameters>{};
    // Parameters that do not read back are as good as none: the defaults hold.
    return ParseParameters(select.Text(0));
}

Result<void> SqliteHistory::KeepParameters(const fsrs::Parameters& w, std::int64_t fittedAt, int reviews) {
    const std::string failed = Write([&](sqlite3* db, HistoryCards&, std::string* error) {
        store::Statement keep(db, "INSERT OR REPLACE INTO parameters (id, weights, fitted, reviews) VALUES (1,?,?,?)");
        if (!keep) {
            *error = store::Why(db, keep.prepareCode());
            return false;
        }
        keep.Bind(1, ParametersText(w)).Bind(2, fittedAt).Bind(3, std::int64_t{reviews});
        const int rc = keep.Step();
        if (rc != SQLITE_DONE) *error = store::Why(db, rc);
        return rc == SQLITE_DONE;
    });
    return failed.empty() ? Result<void>() : Result<void>::Failed(failed);
}

Result<SqliteHistory::ImportCounts> SqliteHistory::Import(const std::string& database,
                                                          const std::vector<ImportedReview>& rows) {
    ImportCounts out;
    const std::string failed = Write([&](sqlite3* db, HistoryCards& cards, std::string* error) {
        store::Statement insert(db, InsertReviewSql(true));
        if (!insert) {
            *error = store::Why(db, insert.prepareCode());
            return false;
        }
        for (const ImportedReview& r : rows) {
            const std::int64_t card = cards.Id(database, r.word, r.direction, error);
            if (card < 0) return false;
            Review v;
            v.at = r.at;
            v.grade = static_cast<std::uint8_t>(r.grade);
            v.right = r.grade > kAgain;
            v.secondsLeft = r.secondsLeft;
            v.responseMs = r.responseMs;
            v.chosen = r.chosen;
            if (!InsertReview(db, insert, {v, ReviewLog::kImported, card}, error)) return false;
            (sqlite3_changes(db) ? out.added : out.alreadyThere) += 1;
        }
        return true;
    });
    if (!failed.empty()) return Result<ImportCounts>::Failed(failed);
    return out;
}

Result<void> SqliteHistory::RenameCards(const std::string& database, const std::vector<CardRename>& renames,
                                       const std::string& saveId) {
    // No history and no session waiting for one: no card to rename.
    if (renames.empty() || (!std::filesystem::exists(file_) && !std::filesystem::exists(PendingPath()))) return {};
    const std::string failed = Write([&](sqlite3* db, HistoryCards&, std::string* error) {
        auto run = [&](store::Statement& s) {
            const int rc = s.Step();
            if (rc != SQLITE_DONE) *error = store::Why(db, rc);
            s.Reset();
            return rc == SQLITE_DONE;
        };
        store::Statement done(db, "INSERT OR IGNORE INTO word_saves (id) VALUES (?)");
        store::Statement move(db, "UPDATE cards SET word = ? WHERE word_database = ? AND word = ?");
        if (!done || !move) {
            *error = store::Why(db, !done ? done.prepareCode() : move.prepareCode());
            return false;
        }
        if (!run(done.Bind(1, saveId))) return false;
        if (sqlite3_changes(db) == 0) return true;  // this save renamed them already
        // Out of the way first, so that words may swap names; a card left
        // under a new name (no word of the database holds it) goes aside.
        const std::string moving = "|moving|" + saveId + "|";
        for (const CardRename& r : renames)
            if (!run(move.Bind(1, moving + r.from).Bind(2, database).Bind(3, r.from))) return false;
        for (const CardRename& r : renames) {
            if (!run(move.Bind(1, "|replaced|" + saveId + "|" + r.to).Bind(2, database).Bind(3, r.to))) return false;
            if (!run(move.Bind(1, r.to).Bind(2, database).Bind(3, moving + r.from))) return false;
        }
        return true;
    });
    return failed.empty() ? Result<void>() : Result<void>::Failed(failed);
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
