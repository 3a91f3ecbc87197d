// SPDX-License-Identifier: GPL-3.0-or-later
// The history in a hostile world: flipped bits and damaged pages, FIFOs and
// folders where the file should be, a busy or read-only file, a read-only
// folder and a long path, a clock set back, an open window, and text that
// would drive a terminal. No review is ever lost, and every failure says
// what is wrong.
#include <sys/stat.h>

#include "HistoryFolder.h"
#include "platform/FolderLock.h"
#include "startup/Startup.h"
#include "text/Utf8.h"

namespace kelvora::test {
namespace {

struct Damage : Folder {
    // A history of `reviews` answers over `cards` words.
    void Fill(int reviews) {
        std::vector<Review> r;
        const char* words[] = {"apple", "bank", "cat", "a, b"};
        for (int i = 0; i < reviews; ++i) r.push_back(Answer(words[i % 4], i % 2, t0 - 86400 * 10 + i, i % 3 != 0, false, 4, 5));
        ASSERT_EQ("", SqliteHistory(file).Append(Session(t0, r)).problem);
    }
    std::string Pending() const { return dir.Exists(kPendingFile) ? dir.ReadBytes(kPendingFile) : ""; }
    void WriteReviewsCsv() const {
        dir.WriteBytes("in.csv", "word,direction,unix_seconds,grade,seconds_left,session\r\ncat,en-ja,1767225600,3,1,\r\n");
    }
};

TEST_F(Damage, AFlippedVersionBitOrADamagedPageIsToldAndNeverWritten) {
    Fill(3000);
    WriteReviewsCsv();
    const std::string damagedMessage = "the file is damaged, so Kelvora leaves it as it is";
    for (const bool versionBit : {false, true}) {
        SCOPED_TRACE(versionBit ? "the version's top bit" : "a page's first byte");
        std::string bytes = dir.ReadBytes(kHistoryFile);
        const std::string whole = bytes;
        ASSERT_GT(bytes.size(), 8u * 4096);
        if (versionBit)
            bytes[60] = static_cast<char>(bytes[60] ^ 0x80);
        else
            bytes[4 * 4096] = static_cast<char>(bytes[4 * 4096] ^ 0xFF);
        dir.WriteBytes(kHistoryFile, bytes);

        const cli::Outcome imported = Run({"reviews", "--import", (dir.path() / "in.csv").string()});
        EXPECT_EQ(1, imported.status);
        EXPECT_EQ("kelvora: the reviews could not be added to " + file.string() + ": " + damagedMessage +
                      ". Nothing was imported.\n",
                  imported.err);
        if (versionBit) {
            EXPECT_EQ("kelvora: the history " + file.string() + " cannot be read: " + damagedMessage + ".\n",
                      Run({"reviews"}).err);
        }
        // "END" keeps the session beside the history, and says so.
        const AppendOutcome end = SqliteHistory(file).Append(Session(t0 + 100, {Answer("cat", 0, t0 + 50, true, false, 3, 5)}));
        EXPECT_EQ((AppendOutcome{damagedMessage, true, (dir.path() / kPendingFile).string()}), end);
        EXPECT_EQ(bytes, dir.ReadBytes(kHistoryFile));
        EXPECT_NE(std::string::npos, Pending().find("\nreview,cat,0,1767225650,1,0,3,5,3,-1,\n"));

        // Mended: the next write adds the session kept for later, once.
        dir.WriteBytes(kHistoryFile, whole);
        EXPECT_EQ(0, Run({"reviews", "--import", (dir.path() / "in.csv").string()}).status);
        EXPECT_FALSE(dir.Exists(kPendingFile));
        EXPECT_EQ("1|1\n", Query(file, "SELECT count(*) - 1, sum(ended = " + std::to_string(t0 + 100) + ") FROM sessions"));
        Query(file, "DELETE FROM reviews WHERE session IS NULL OR session > 1; DELETE FROM sessions WHERE id > 1;");
    }
}

TEST_F(Damage, AFifoOrAFolderInPlaceOfTheHistoryIsRefusedAtOnce) {
    const struct {
        const char* name;
        bool folder;
        std::string why;
    } cases[] = {
        {kHistoryFile, false, "it is not a plain file"},
        {"history.sqlite3-wal", false, "its journal history.sqlite3-wal is not a plain file"},
        {kHistoryFile, true, "it is a folder, not a file: move it out of the way, and Kelvora starts a new history"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name != std::string(kHistoryFile)) Fill(4);
        const fs::path path = dir.path() / c.name;
        if (c.folder)
            fs::create_directory(path);
        else
            ASSERT_EQ(0, mkfifo(path.c_str(), 0600));
        // In a child with a time limit: a FIFO opened would hang it.
        const int status = InChild(
            [&] {
                for (const std::vector<std::string>& verb :
                     {std::vector<std::string>{"due"}, {"reviews"}, {"history"}, {"fit"}, {"fit", "--show"}}) {
                    const cli::Outcome o = Run(verb);
                    if (o.status != 1 || o.err != "kelvora: the history " + file.string() + " cannot be read: " + c.why + ".\n")
                        return 1;
                }
                return SqliteHistory(file).Append(Session(t0, {})).problem == c.why ? 0 : 2;
            },
            false, 10);
        EXPECT_EQ(0, status);
        fs::remove_all(path);
        fs::remove(file);
        fs::remove(dir.path() / kPendingFile);
    }
}

TEST_F(Damage, ABusyOrReadOnlyHistoryKeepsTheSessionForLaterAndEveryReaderSeesIt) {
    Fill(4);
    // Another program holds a write transaction: "END" waits (here not at
    // all), then keeps the session.
    sqlite3* other = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &other));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    const AppendOutcome busy = SqliteHistory(file, 0).Append(Session(t0 + 100, {Answer("cat", 0, t0 + 50, false, false, 3, 5)}));
    EXPECT_EQ("another program holds it", busy.problem);
    EXPECT_TRUE(busy.keptForLater);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    // A file made read-only stays so, even for root.
    ASSERT_EQ(0, ::chmod(file.c_str(), 0444));
    EXPECT_EQ("the file is read-only",
              SqliteHistory(file).Append(Session(t0 + 200, {Answer("cat", 0, t0 + 150, true, false, 3, 5)})).problem);
    EXPECT_EQ("1\n", Query(file, "SELECT count(*) FROM sessions"));

    // The two sessions waiting are read as if they were in the history.
    const std::string sessions = Run({"history"}).out;
    EXPECT_EQ(4, std::count(sessions.begin(), sessions.end(), '\n'));
    const std::string reviews = Run({"reviews"}).out;
    EXPECT_NE(std::string::npos, reviews.find("cat,en-ja,1767225650,1,3,,,\r\ncat,en-ja,1767225750,3,3,,,\r\n"));
    EXPECT_NE(std::string::npos, Run({"due", "--as-of", std::to_string(t0 + 300)}).out.find("\r\ncat,en-ja,3,1,1767225750,"));

    // Writable again: both go in, in their order, before the next session.
    ASSERT_EQ(0, ::chmod(file.c_str(), 0644));
    SqliteHistory window(file);
    window.CheckInBackground();  // as a window does once it shows; the write waits for it
    EXPECT_EQ("", window.Append(Session(t0 + 300, {})).problem);
    EXPECT_FALSE(dir.Exists(kPendingFile));
    EXPECT_EQ("1767225700\n1767225800\n1767225900\n", Query(file, "SELECT ended FROM sessions WHERE id > 1 ORDER BY id"));
    EXPECT_NE(std::string::npos, Run({"reviews"}).out.find("cat,en-ja,1767225650,1,3,2,,\r\ncat,en-ja,1767225750,3,3,3,,\r\n"));
}

TEST_F(Damage, ACommandThatWritesWaitsForNoWindowItRefuses) {
    Fill(4);
    WriteReviewsCsv();
    dir.WriteBytes("words.csv", "apple,りんご\r\n");
    FolderLock window;
    ASSERT_EQ(FolderLock::Outcome::Locked, window.Acquire(dir.path()));
    const std::string before = dir.ReadBytes(kHistoryFile);
    const std::string refused = "kelvora: a Kelvora window (" + kMainCaption + ") is open on the folder " +
                                dir.path().string() +
                                ", and this command would change the files it keeps. Press END in that window first, "
                                "then run the command again. Nothing was changed.\n";
    for (const std::vector<std::string>& verb : {std::vector<std::string>{"reviews", "--import", (dir.path() / "in.csv").string()},
                                                 {"settings", "new_cards_per_day", "10"},
                                                 {"fit"},
                                                 {"import", "--force", (dir.path() / "words.csv").string(), "eword"}}) {
        const cli::Outcome o = Run(verb);
        EXPECT_EQ(1, o.status) << verb[0];
        EXPECT_EQ(ForTerminal(refused), o.err) << verb[0];
    }
    EXPECT_EQ(before, dir.ReadBytes(kHistoryFile));
    EXPECT_FALSE(dir.Exists("kelvora.conf"));
    // Reading, and importing a new database, go on beside the window.
    EXPECT_EQ(0, Run({"due"}).status);
    EXPECT_EQ(0, Run({"import", (dir.path() / "words.csv").string(), "mine"}).status);
    window.Release();
    EXPECT_EQ(0, Run({"settings", "new_cards_per_day", "10"}).status);
}

TEST_F(Damage, AReadOnlyFolderAndALongPathAreReadAndTheWriteSaysWhy) {
    Fill(8);
    const std::string reviews = Run({"reviews"}).out;
    ASSERT_EQ(0, ::chmod(dir.path().c_str(), 0555));
    const int readOnly = InChild(
        [&] {
            const cli::Outcome o = Run({"reviews"});
            return o.status == 0 && o.out == reviews && Run({"due"}).status == 0 && Run({"history"}).status == 0 ? 0 : 1;
        },
        true);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(0, readOnly);

    // A folder whose path is over 500 bytes: read from a copy; a write
    // says why it cannot be, and the session waits beside it.
    fs::path deep = dir.path();
    while (deep.string().size() < 520) deep /= std::string(60, 'd');
    fs::create_directories(deep);
    for (const char* name : {"qbx.txt", "eword.txt", kHistoryFile}) fs::copy_file(dir.path() / name, deep / name);
    const cli::Outcome o = cli::RunVerb(ParseOptions({"reviews", "--data-dir", deep.string()}), deep, t0);
    EXPECT_EQ(0, o.status) << o.err;
    EXPECT_EQ(reviews, o.out);
    const AppendOutcome end = SqliteHistory(deep / kHistoryFile).Append(Session(t0, {}));
    EXPECT_EQ("its path is " + std::to_string((deep / kHistoryFile).string().size()) +
                  " bytes long, longer than SQLite can write (503 at most): keep the data folder in a folder with a "
                  "shorter path",
              end.problem);
    EXPECT_TRUE(end.keptForLater);
}

TEST_F(Damage, CommandLineMessagesAreBoundedEscapedAndExitNonZero) {
    // Rows whose words are not in the bank are quoted: escaped, at most 30 lines.
    std::string csv = "word,direction,unix_seconds,grade,seconds_left,session\r\n\x1b]0;owned\x07,en-ja,1767225600,3,1,\r\n";
    dir.WriteBytes("in.csv", csv);
    cli::Outcome o = Run({"reviews", "--import", (dir.path() / "in.csv").string()});
    EXPECT_EQ("Imported 0 reviews into eword (0 already there).\n"
              "Skipped 1 row whose word is not in eword.txt: line 2 '\\x1B]0;owned\\x07'.\n",
              o.out);
    std::string conf;
    for (int i = 0; i < 5000; ++i) conf += "key" + std::to_string(i) + " = 1\r\n";
    dir.WriteBytes("kelvora.conf", conf);
    o = Run({"settings"});
    EXPECT_EQ(30, std::count(o.err.begin(), o.err.end(), '\n'));
    EXPECT_NE(std::string::npos, o.err.find("\n… and 4971 more lines\n"));

    const std::string missing = (dir.path() / "nowhere").string(), plain = (dir.path() / "in.csv").string(),
                      empty = (dir.path() / "empty").string();
    fs::create_directory(empty);
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"settings", "new_cards_per_day", "-5"}, 1,
         "kelvora: the new words a day must be a whole number from 0 to 9999; nothing was changed.\n"},
        {{"fit", "--data-dir", missing}, 1,
         "kelvora: the data folder " + missing + " does not exist; give a folder that does, or make it first.\n"},
        {{"history", "--data-dir", plain}, 1,
         "kelvora: " + plain + " is not a folder; --data-dir names the data folder to work on.\n"},
        {{"due", "--data-dir", empty}, 1,
         "kelvora: there is no settings file qbx.txt in " + empty +
             ", so Kelvora cannot tell which word database is yours: give the data folder that holds it.\n"},
    };
    for (const auto& c : cases) {
        const bool ownFolder = c.args[1] == "--data-dir";
        const cli::Outcome r = ownFolder ? cli::RunVerb(ParseOptions(c.args), dir.path(), t0) : Run(c.args);
        EXPECT_EQ(c.status, r.status) << c.args[0];
        EXPECT_EQ(c.err, r.err) << c.args[0];
    }

    // A settings file that could not be read is never written over.
    dir.WriteBytes("kelvora.conf", std::string((1 << 20) + 1, '#'));
    o = Run({"settings", "new_cards_per_day", "10"});
    EXPECT_EQ(1, o.status);
    EXPECT_NE(std::string::npos, o.err.find("kelvora.conf could not be read, so Kelvora leaves it as it is"));
    EXPECT_EQ(std::string((1 << 20) + 1, '#'), dir.ReadBytes("kelvora.conf"));
}

}  // namespace
}  // namespace kelvora::test
