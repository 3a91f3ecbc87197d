// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's saves against real files and a real history: every
// counter and review stays with its word, whatever the edits; a save that
// fails or is killed leaves the database, its record and the history all
// old or all new; and "kelvora words".
#include <csignal>
#include <random>

#include "FaultyCalls.h"
#include "HistoryFolder.h"
#include "KillPoint.h"
#include "platform/Codec.h"
#include "text/EntryParts.h"
#include "platform/FolderLock.h"
#include "words/WordSave.h"
#include "words/WordTable.h"

namespace kelvora::test {
namespace {

// Thirty words, each with counters and one review of its own: the
// review's time and the counters say which word it was.
struct Words : Folder {
    static constexpr int kWords = 30;
    void SetUp() override {
        Folder::SetUp();
        std::string words, record;
        std::vector<Review> reviews;
        for (int i = 0; i < kWords; ++i) {
            words += "w" + std::to_string(100 + i) + ",m" + std::to_string(i) + "\r\n";
            record += std::to_string(i) + ",1," + std::to_string(i) + ",2\r\n";
            reviews.push_back(Answer("w" + std::to_string(100 + i), 0, t0 + i, true, false, 3, 5));
        }
        dir.WriteCp932("eword.txt", words + "zzzzzzzz,終わり\r\n");
        dir.WriteBytes("eword.dat", record);
        ASSERT_EQ("", SqliteHistory(file).Append(Session(t0 + 100, reviews)).problem);
    }
    // Each card's word with the row its review came from, and the files.
    std::string State() {
        return dir.ReadBytes("eword.txt") + dir.ReadBytes("eword.dat") +
               Query(file, "SELECT word, at FROM cards JOIN reviews ON reviews.card = cards.id ORDER BY at");
    }
    // The edits the failure and kill tests save.
    WordBook Edited() {
        WordBook book = *WordBook::Read(dir.path(), "eword");
        EXPECT_TRUE(book.Rename(0, "w100x").ok());
        EXPECT_TRUE(book.Delete(5).ok());
        return book;
    }
};

TEST_F(Words, AnyMixOfEditsKeepsEveryCounterAndReviewWithItsWord) {
    for (unsigned seed : {1u, 2u, 3u}) {
        for (const char* f : {"", "-wal", "-shm"}) fs::remove(file.string() + f);
        SetUp();
        std::mt19937 rng(seed);
        WordBook book = *WordBook::Read(dir.path(), "eword");
        // The words as the test keeps them: the key, and the word it was
        // read as (-1: added).
        std::vector<std::pair<std::string, int>> model;
        for (int i = 0; i < kWords; ++i) model.emplace_back("w" + std::to_string(100 + i), i);
        model.emplace_back("zzzzzzzz", -2);
        for (int step = 0; step < 60; ++step) {
            const int row = static_cast<int>(rng() % (model.size() - 1));  // never the end record
            const std::string fresh = "x" + std::to_string(seed) + "_" + std::to_string(step);
            switch (rng() % 5) {
                case 0: {
                    const int at = *book.Add(fresh, "new");
                    model.insert(model.begin() + at, {fresh, -1});
                    break;
                }
                case 1:
                    ASSERT_TRUE(book.Delete(row).ok());
                    model.erase(model.begin() + row);
                    break;
                case 2: {  // sometimes to the name of a word deleted (refused while it is there)
                    const std::string to = rng() % 3 ? fresh : "w" + std::to_string(100 + rng() % kWords);
                    if (book.Rename(row, to).ok()) model[static_cast<std::size_t>(row)].first = to;
                    break;
                }
                case 3: ASSERT_TRUE(book.SetMeaning(row, "changed " + fresh).ok()); break;
                default: ASSERT_TRUE(book.SetMark(row, rng() % 2).ok()); break;
            }
        }
        SqliteHistory history(file);
        ASSERT_EQ("", Why(SaveWordBook(book, dir.path(), &history, "s" + std::to_string(seed))));
        const WordBook saved = *WordBook::Read(dir.path(), "eword");
        ASSERT_EQ(model.size(), saved.entries().size());
        const ReviewLog log = Ok(SqliteHistory(file).Reviews("eword"));
        std::map<std::string, std::int64_t> reviewed;  // word: the time of its review
        for (const auto& e : log.events) reviewed[log.cards[e.card].word] = e.at;
        for (std::size_t r = 0; r < model.size(); ++r) {
            const auto& [key, was] = model[r];
            const WordEntry& e = saved.entries()[r];
            SCOPED_TRACE(key + " seed " + std::to_string(seed));
            EXPECT_EQ(key, HeadwordKey(e.word));
            if (was == -2) continue;
            const std::string n = std::to_string(was);
            using Counters = std::array<std::string, 4>;
            const Counters had = was < 0 ? Counters{"0", "0", "0", "0"} : Counters{n, "1", n, "2"};
            EXPECT_EQ(had, e.record);
            EXPECT_EQ(was < 0 ? std::int64_t{-1} : t0 + was, reviewed.count(key) ? reviewed[key] : -1);
        }
        // Every review kept: a deleted word's under a name no word has.
        EXPECT_EQ(static_cast<std::size_t>(kWords), log.events.size());
    }
}

// A save whose every system call fails in turn, and one whose history is
// held by another program: a clear message, all three files as they were.
TEST_F(Words, ASaveThatFailsChangesNothing) {
    const WordBook edited = Edited();
    const std::string before = State();
    std::string after;
    for (int n = 1; n < 100; ++n) {
        FaultyCalls calls;
        calls.failAt = n;
        WordBook book = edited;
        SqliteHistory history(file);
        const Result<void> saved = SaveWordBook(book, dir.path(), &history, "s" + std::to_string(n), calls);
        if (saved) {
            after = State();
            break;
        }
        EXPECT_NE(std::string::npos, saved.error().find("Nothing was changed")) << saved.error();
        EXPECT_EQ(before, State()) << "call " << n;
        EXPECT_FALSE(fs::exists(dir.path() / "eword.words-save"));
    }
    ASSERT_NE("", after);
    EXPECT_NE(std::string::npos, after.find("w100x|1767225600\n"));
    EXPECT_NE(std::string::npos, after.find("|deleted|s"));
    // The history busy with another program.
    const std::string saved = State();
    sqlite3* other = nullptr;
    sqlite3_open(file.c_str(), &other);
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    WordBook book = *WordBook::Read(dir.path(), "eword");
    ASSERT_TRUE(book.Rename(1, "w101y").ok());
    SqliteHistory busy(file, 50);
    const Result<void> refused = SaveWordBook(book, dir.path(), &busy, "busy");
    sqlite3_close(other);
    EXPECT_EQ("The words could not be saved: the review history could not follow the renamed words: "
              "another program holds it. Nothing was changed, and the edits are still here.",
              Why(refused));
    EXPECT_EQ(saved, State());
}

// Killed at every write of a save, file or history: the next start
// finishes it (all new) or there was nothing to finish (all old).
TEST_F(Words, ASaveKilledAnywhereIsAllOldOrAllNewOnceFinished) {
    struct KillingCalls : SystemCalls {
        mutable int left;
        explicit KillingCalls(int n) : left(n) {}
        int Rename(const char* from, const char* to) const override {
            if (--left == 0) std::raise(SIGKILL);
            return SystemCalls::Rename(from, to);
        }
        ssize_t Write(int fd, const void* data, std::size_t size) const override {
            if (--left == 0) std::raise(SIGKILL);
            return SystemCalls::Write(fd, data, size);
        }
    };
    const fs::path pristine = dir.path() / "pristine";
    fs::create_directory(pristine);
    const char* const files[] = {"eword.txt", "eword.dat", kHistoryFile};
    for (const char* f : files) fs::copy_file(dir.path() / f, pristine / f);
    const std::string before = State();
    {
        WordBook book = Edited();
        SqliteHistory history(file);
        ASSERT_TRUE(SaveWordBook(book, dir.path(), &history, "kill").ok());
    }
    const std::string after = State();
    int kills = 0;
    for (int where : {0, 1}) {  // the files' calls, then the history's writes
        bool completed = false;
        for (int n = 1; n < 200 && !completed; ++n) {
            for (const char* f : files) fs::copy_file(pristine / f, dir.path() / f, fs::copy_options::overwrite_existing);
            for (const char* f : {"-wal", "-shm"}) fs::remove(file.string() + f);
            const int status = InChild(
                [&] {
                    if (where == 1) KillPoint::Arm(n);
                    WordBook book = Edited();
                    SqliteHistory history(file);
                    return SaveWordBook(book, dir.path(), &history, "kill", KillingCalls(where == 0 ? n : -1)).ok() ? 0 : 1;
                },
                false);
            completed = status == 0;
            if (!completed) {
                ASSERT_EQ(128 + SIGKILL, status);
                ++kills;
            }
            const bool journal = fs::exists(dir.path() / "eword.words-save");
            SqliteHistory history(file);
            EXPECT_EQ(journal ? "A save of the words of 'eword.txt' was interrupted; it is finished now." : "",
                      FinishInterruptedSaves(dir.path(), &history));
            EXPECT_EQ(journal || completed ? after : before, State()) << (where ? "history write " : "file call ") << n;
        }
        EXPECT_TRUE(completed);
    }
    EXPECT_GT(kills, 10);
}

TEST_F(Folder, TheWordsCommandPrintsFindsAndEditsAsTheWindowDoes) {
    EXPECT_EQ("word,meaning,marked,en_asked,en_score,ja_asked,ja_score,en_reviews,en_lapses,en_retrievability,en_due,"
              "ja_reviews,ja_lapses,ja_retrievability,ja_due,rank\r\ncat,猫,*,0,0,0,0,0,0,,,0,0,,,\r\n",
              Run({"words", "--find", "CA", "--filter", "marked"}).out);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* said;
    } rows[] = {
        {{"words", "--add", "dog", "犬"}, 0, "Added \"dog\" to eword.txt, on row 5.\n"},
        {{"words", "--rename", "cat", "kitten"}, 0, "\"cat\" is renamed \"kitten\"; its counters and reviews went with it.\n"},
        {{"words", "--meaning", "dog", "いぬ"}, 0, "The meaning of \"dog\" is changed.\n"},
        {{"words", "--unmark", "kitten"}, 0, "\"kitten\" is unmarked.\n"},
        {{"words", "--unmark", "kitten"}, 0, "\"kitten\" is already so; nothing was changed.\n"},
        {{"words", "--delete", "dog"}, 0, "\"dog\" is deleted from eword.txt.\n"},
        {{"words", "--delete", "emu"}, 1, "kelvora: \"emu\" is not in eword.txt. Nothing was changed.\n"},
        {{"words", "--add", "ant"}, 2, ""},
        {{"words", "--filter", "old"}, 2, "kelvora: --filter takes due, new, marked, leeches or weakest\nTry 'kelvora --help'.\n"},
    };
    for (const auto& r : rows) {
        const cli::Outcome o = Run(r.args);
        EXPECT_EQ(r.status, o.status) << r.args[1];
        if (r.status != 2 || *r.said) {
            EXPECT_EQ(r.said, r.status == 0 ? o.out : o.err) << r.args[1];
        }
    }
    EXPECT_EQ(*EncodeCp932("apple,りんご\r\nbank|words 0 2,銀行\r\nkitten,猫\r\n\"a, b\",カンマ\r\n"), dir.ReadBytes("eword.txt"));
    // Never under an open window.
    FolderLock window;
    ASSERT_EQ(FolderLock::Outcome::Locked, window.Acquire(dir.path()));
    EXPECT_EQ(1, Run({"words", "--mark", "apple"}).status);
}

}  // namespace
}  // namespace kelvora::test
