// SPDX-License-Identifier: GPL-3.0-or-later
// The review log in the history, and the commands that read and write it:
// a history of version 1 brought up to date, reviews kept with their
// session, the review and due CSVs byte for byte, and imports of bad files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>

#include "HistoryFolder.h"
#include "KillPoint.h"
#include "SqliteHistory.h"
#include "Verbs.h"
#include "memory/LearningDay.h"
#include "review/ReviewCsv.h"

namespace kelvora::test {
namespace {

namespace fs = std::filesystem;

// A history as an earlier Kelvora left it.
void WriteOld(const fs::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// The sessions of layout version 1.
const std::string kVersionOneSessions =
    "CREATE TABLE sessions (id INTEGER PRIMARY KEY, started INTEGER NOT NULL, ended INTEGER NOT NULL,"
    " word_database TEXT NOT NULL, test_database TEXT NOT NULL, mode REAL NOT NULL, en_asked INTEGER NOT NULL,"
    " en_right INTEGER NOT NULL, ja_asked INTEGER NOT NULL, ja_right INTEGER NOT NULL, test_asked INTEGER NOT NULL,"
    " test_right INTEGER NOT NULL, estimates TEXT NOT NULL, known_en INTEGER NOT NULL, known_ja INTEGER NOT NULL,"
    " never_asked INTEGER NOT NULL);";

TEST_F(Folder, AVersionOneHistoryIsBroughtUpToDateInOneTransactionWithoutLosingARow) {
    WriteOld(file, kVersionOneSessions +
                       "INSERT INTO sessions VALUES (1, 100, 700, 'eword', 'ptest', 11, 4, 3, 2, 1, 40, 30, '715', 9, 8, 7);"
                       "PRAGMA user_version=1");
    SqliteHistory history(file);
    EXPECT_TRUE(Ok(history.Reviews("eword")).cards.empty());  // reading an old file: nothing, no error
    EXPECT_EQ("1\n", Query(file, "PRAGMA user_version"));       // and never writing it

    // A session with reviews: the layout moves on in its transaction.
    ASSERT_EQ("", history.Append(Session(t0, {Answer("apple", 0, t0 - 60, true, false, 4, 5, 1800, "apple"),
                                              Answer("cat", 1, t0 - 30, false, true, 0, 5, 6000)}))
                      .problem);
    EXPECT_EQ("5\n", Query(file, "PRAGMA user_version"));
    EXPECT_EQ("1|100|700|eword|ptest|11.0|4|3|2|1|40|30|715|9|8|7|1\n", Query(file, "SELECT * FROM sessions WHERE id = 1"));
    EXPECT_EQ("2|1|1|1767225540|1|0|4|5.0|3|1800|apple\n2|2|2|1767225570|0|1|0|5.0|1|6000|NULL\n",
              Query(file, "SELECT session, id, card, at, right, timed_out, seconds_left, mode, grade, response_ms, chosen"
                          " FROM reviews"));
    EXPECT_TRUE(Ok(history.Reviews("other")).cards.empty());
}

// The history as Kelvora kept it before grades were stored: two sessions'
// reviews without a grade, an imported one with its own.
void WriteVersionThree(const fs::path& file) {
    WriteOld(file, "PRAGMA journal_mode=WAL;" + kVersionOneSessions +
                       "ALTER TABLE sessions ADD COLUMN time_scale INTEGER NOT NULL DEFAULT 1;"
                       "CREATE TABLE cards (id INTEGER PRIMARY KEY, word_database TEXT NOT NULL, word TEXT NOT NULL,"
                       " direction INTEGER NOT NULL, UNIQUE (word_database, word, direction));"
                       "CREATE TABLE reviews (id INTEGER PRIMARY KEY, session INTEGER REFERENCES sessions (id),"
                       " card INTEGER NOT NULL REFERENCES cards (id), at INTEGER NOT NULL, right INTEGER NOT NULL,"
                       " timed_out INTEGER NOT NULL, seconds_left INTEGER NOT NULL, mode REAL NOT NULL, grade INTEGER,"
                       " UNIQUE (at, card));"
                       "CREATE TABLE parameters (id INTEGER PRIMARY KEY CHECK (id = 1), weights TEXT NOT NULL,"
                       " fitted INTEGER NOT NULL, reviews INTEGER NOT NULL);"
                       "INSERT INTO sessions VALUES (1, 100, 700, 'eword', 'ptest', 5, 2, 1, 1, 0, 0, 0, '', 1, 0, 3, 1);"
                       "INSERT INTO cards VALUES (1, 'eword', 'apple', 0), (2, 'eword', 'cat', 1);"
                       "INSERT INTO reviews VALUES (1, 1, 1, 500, 1, 0, 4, 5, NULL), (2, 1, 2, 510, 0, 1, 0, 5, NULL),"
                       " (3, 1, 1, 520, 0, 0, 3, 5, NULL), (4, NULL, 2, 400, 1, 0, 2, 0, 2);"
                       "PRAGMA user_version=3");
}

// Killed at every write the migration and the session make, one after
// another: the file is the old one, whole, or the new one with every
// review graded by the rule; never anything between.
TEST_F(Folder, AVersionThreeHistoryGetsItsGradesInOneTransactionWhereverItIsKilled) {
    WriteVersionThree(file);
    // Read as it stands, before any write: graded by the rule, no answer
    // times, nothing written.
    EXPECT_EQ("word,direction,unix_seconds,grade,seconds_left,session,response_ms,chosen\r\n"
              "cat,ja-en,400,2,2,,,\r\napple,en-ja,500,3,4,1,,\r\ncat,ja-en,510,1,0,1,,\r\napple,en-ja,520,1,3,1,,\r\n",
              ReviewsCsv(Ok(SqliteHistory(file).Reviews("eword", true))));
    EXPECT_EQ("3\n", Query(file, "PRAGMA user_version"));
    const std::string reviews = "SELECT id, session, card, at, right, timed_out, grade FROM reviews ORDER BY id";
    const std::string before = Query(file, reviews);
    const fs::path pristine = dir.path() / "v3.sqlite3";
    fs::copy_file(file, pristine);
    // The new session: two answers to one card in the same second, both kept.
    const SessionRecord s = Session(t0, {Answer("apple", 0, t0 - 5, false, false, 2, 5, 3900, "cat"),
                                         Answer("apple", 0, t0 - 5, true, false, 5, 5, 700, "apple")});
    const std::string after = "1|1|1|500|1|0|3\n2|1|2|510|0|1|1\n3|1|1|520|0|0|1\n4|NULL|2|400|1|0|2\n"
                              "5|2|1|1767225595|0|0|1\n6|2|1|1767225595|1|0|3\n";
    bool completed = false;
    int kills = 0;
    for (int n = 1; n < 400 && !completed; ++n) {
        for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(file.string() + suffix);
        fs::copy_file(pristine, file);
        const pid_t pid = fork();
        if (pid == 0) {
            KillPoint::Arm(n);
            _exit(SqliteHistory(file).Append(s).problem.empty() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(pid, waitpid(pid, &status, 0));
        completed = WIFEXITED(status);
        if (completed) {
            ASSERT_EQ(0, WEXITSTATUS(status));
        } else {
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
            ++kills;
        }
        const std::string version = Query(file, "PRAGMA user_version");
        if (version == "3\n") {
            EXPECT_FALSE(completed);
            EXPECT_EQ(before, Query(file, reviews)) << "killed at write " << n;
            EXPECT_EQ("1\n", Query(file, "SELECT count(*) FROM sessions"));
        } else {
            EXPECT_EQ("5\n", version) << "killed at write " << n;
            EXPECT_EQ(after, Query(file, reviews)) << "killed at write " << n;
            EXPECT_EQ("2\n", Query(file, "SELECT count(*) FROM sessions"));
        }
        EXPECT_EQ("ok\n", Query(file, "PRAGMA integrity_check"));
    }
    EXPECT_TRUE(completed);
    EXPECT_GT(kills, 3);
}

// A long log is read in two halves at once, the later on its own
// connection: the memory reads what the one-way read of every column
// gives, in the same order.
TEST_F(Folder, ALongLogReadInTwoHalvesIsTheLogReadWhole) {
    std::vector<Review> reviews;
    for (int i = 0; i < 250'000; ++i)
        reviews.push_back(Answer("w" + std::to_string(i % 997), i % 2, t0 - 250'000 + i, i % 3 != 0, false, 4, 5));
    ASSERT_EQ("", SqliteHistory(file).Append(Session(t0, reviews)).problem);
    const ReviewLog halves = Ok(SqliteHistory(file).Reviews("eword")), whole = Ok(SqliteHistory(file).Reviews("eword", true));
    ASSERT_EQ(250'000u, halves.events.size());
    EXPECT_EQ(whole.cards, halves.cards);
    auto memory = [](const ReviewLog& log) {
        std::vector<std::tuple<std::uint32_t, std::int64_t, int, std::int64_t>> out;
        for (const ReviewLog::Event& e : log.events) out.emplace_back(e.card, e.at, e.grade, e.session);
        return out;
    };
    EXPECT_EQ(memory(whole), memory(halves));
}

TEST_F(Folder, ReviewsAndDueWordsAsCsv) {
    SqliteHistory history(file);
    ASSERT_EQ("", history.Append(Session(t0 + 86400, {Answer("apple", 0, t0, true, false, 4, 5, 2000, "apple"),
                                                      Answer("a, b", 1, t0 + 10, false, false, 2, 5, 4000, "cat"),
                                                      Answer("apple", 0, t0 + 86400 * 3, false, true, 0, 5, 6000)}))
                      .problem);
    const cli::Outcome reviews = Run({"reviews"});
    EXPECT_EQ(0, reviews.status);
    EXPECT_EQ("word,direction,unix_seconds,grade,seconds_left,session,response_ms,chosen\r\n"
              "apple,en-ja,1767225600,3,4,1,2000,apple\r\n"
              "\"a, b\",ja-en,1767225610,1,2,1,4000,cat\r\n"
              "apple,en-ja,1767484800,1,0,1,6000,\r\n",
              reviews.out);
    // Five days after the start. The reviews before 04:00 belong to the
    // learning day before: 2025-12-31 and 2026-01-03. The memory and
    // interval are those of the published implementation (ts-fsrs).
    const cli::Outcome due = Run({"due", "--as-of", std::to_string(t0 + 5 * 86400)});
    EXPECT_EQ("word,direction,reviews,lapses,last_review_unix,stability,difficulty,retrievability,interval_days,due\r\n"
              "\"a, b\",ja-en,1,0,1767225610,0.212000,6.413300,0.612116,1,2026-01-01\r\n"
              "apple,en-ja,2,1,1767484800,0.636851,7.394503,0.805113,1,2026-01-04\r\n",
              due.out);
    // A learner's own desired retention moves the intervals: 6 days at 0.70.
    ASSERT_EQ(0, Run({"settings", "desired_retention", "0.70"}).status);
    EXPECT_NE(std::string::npos, Run({"due", "--as-of", std::to_string(t0)}).out.find(",6,2026-01-09\r\n"));
}

TEST_F(Folder, AnImportReadsTheSameColumnsAllOrNothingAndNeverTwice) {
    // A file as Kelvora wrote it before answer times, and one as it writes
    // now; a second review of a card in the same second, with another
    // grade, is a review of its own.
    const std::string header = "word,direction,unix_seconds,grade,seconds_left,session\r\n";
    const std::string full = "word,direction,unix_seconds,grade,seconds_left,session,response_ms,chosen\r\n";
    dir.WriteBytes("in.csv", header + "apple,en-ja,1767225600,2,4,\r\nzebra,en-ja,1767225600,3,1,\r\n\"cat\",ja-en,1767225700,4,,9\r\n");
    dir.WriteBytes("new.csv", full + "apple,en-ja,1767225600,1,0,,5999,cat\r\napple,en-ja,1767225600,2,4,,,\r\n");
    cli::Outcome r = Run({"reviews", "--import", (dir.path() / "in.csv").string()});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("Imported 2 reviews into eword (0 already there).\n"
              "Skipped 1 row whose word is not in eword.txt: line 3 'zebra'.\n",
              r.out);
    r = Run({"reviews", "--import", (dir.path() / "in.csv").string()});
    EXPECT_EQ("Imported 0 reviews into eword (2 already there).\n", r.out.substr(0, r.out.find('\n') + 1));
    EXPECT_EQ("Imported 1 review into eword (1 already there).\n", Run({"reviews", "--import", (dir.path() / "new.csv").string()}).out);
    EXPECT_EQ(full + "apple,en-ja,1767225600,2,4,,,\r\napple,en-ja,1767225600,1,0,,5999,cat\r\ncat,ja-en,1767225700,4,0,,,\r\n",
              Run({"reviews"}).out);
}

// A review file's bad lines, each with what is wrong with it; several are
// listed, the first 20 and then how many more.
struct BadCsv {
    const char* name;
    std::string bytes;
    std::string message;
};
const std::string kOldHeader = "word,direction,unix_seconds,grade,seconds_left,session\r\n";
const std::string kHeader = "word,direction,unix_seconds,grade,seconds_left,session,response_ms,chosen\r\n";
const BadCsv kBadCsv[] = {
    {"GradeOutOfRange", kOldHeader + "apple,en-ja,1767225600,7,4,\r\n", "line 2: the grade must be 1, 2, 3 or 4, not '7'"},
    {"TimeNotANumber", kOldHeader + "apple,en-ja,17x,3,4,\r\n", "line 2: the time must be Unix seconds, not '17x'"},
    {"TimeInTheFuture", kOldHeader + "cat,ja-en,1767225600,3,4,\r\napple,en-ja,1999999999,3,4,\r\n",
     "line 3: the time 1999999999 is in the future"},
    {"TimeInMilliseconds", kOldHeader + "cat,ja-en,1767225600000,3,4,\r\n",
     "line 2: the time 1767225600000 is in the future (is it in milliseconds? divide it by 1000)"},
    {"NoSuchDirection", kOldHeader + "apple,up,1767225600,3,4,\r\n", "line 2: the direction must be en-ja or ja-en, not 'up'"},
    {"TooFewNewFields", kHeader + "apple,en-ja,1767225600,3,4,,\r\n", "line 2: 8 fields are needed, not 7"},
    {"AnswerTimeNotWhole", kHeader + "apple,en-ja,1767225600,3,4,,1.5,\r\n",
     "line 2: the answer time must be milliseconds or empty, not '1.5'"},
    {"NoHeader", "apple,en-ja,1767225600,3,4,\r\n", "line 1: the first line must be the header " + kHeader.substr(0, kHeader.size() - 2)},
    {"TwoBadLines", kOldHeader + "apple,up,1767225600,3,4,\r\ncat,ja-en,1767225600,3,4,\r\napple,en-ja,1767225600,0,4,\r\n",
     "has 2 bad lines:\n  line 2: the direction must be en-ja or ja-en, not 'up'\n"
     "  line 4: the grade must be 1, 2, 3 or 4, not '0'"},
    {"TwentyThreeBadLines",
     [] {
         std::string many = kHeader;
         for (int i = 0; i < 23; ++i) many += "apple,en-ja,1767225600,9,4,,,\r\n";
         return many;
     }(),
     [] {
         std::string m = "has 23 bad lines:";
         for (int line = 2; line < 22; ++line) m += "\n  line " + std::to_string(line) + ": the grade must be 1, 2, 3 or 4, not '9'";
         return m + "\n  and 3 more";
     }()},
};

class BadReviewFiles : public ::testing::TestWithParam<BadCsv> {};

TEST_P(BadReviewFiles, NameEveryBadLineAndImportNothing) {
    const ReadReviews read = ParseReviewsCsv(GetParam().bytes, [](const std::string&) { return true; }, 1'767'225'600 + 86400);
    EXPECT_EQ(GetParam().message, read.error);
    EXPECT_TRUE(read.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, BadReviewFiles, ::testing::ValuesIn(kBadCsv),
                         [](const ::testing::TestParamInfo<BadCsv>& info) { return std::string(info.param.name); });

TEST_F(Folder, FitKeepsTheDefaultsBelowFourHundredReviewsAndShowsTheParametersInForce) {
    SqliteHistory history(file);
    ASSERT_EQ("", history.Append(Session(t0, {Answer("apple", 0, t0 - 86400 * 3, true, false, 4, 5), Answer("apple", 0, t0, true, false, 4, 5)})).problem);
    const cli::Outcome fit = Run({"fit"});
    EXPECT_EQ("Reviews in the history: 2; reviews the model predicts (each word's later reviews, on a later day): 1.\n"
              "Fitting needs at least 400 of them, so the default parameters stay in force.\n",
              fit.out);
    EXPECT_EQ("0.212,1.2931,2.3065,8.2956,6.4133,0.8334,3.0194,0.001,1.8722,0.1666,0.796,1.4835,0.0614,0.2629,1.6483,"
              "0.6014,1.8729,0.5425,0.0912,0.0658,0.1542\n",
              Run({"fit", "--show"}).out);
    fsrs::Parameters w = fsrs::kDefaultParameters;
    w[20] = 0.25;
    ASSERT_TRUE(history.KeepParameters(w, t0, 500));
    EXPECT_NE(std::string::npos, Run({"fit", "--show"}).out.find(",0.0658,0.25\n"));
}

}  // namespace
}  // namespace kelvora::test
