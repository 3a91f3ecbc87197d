// SPDX-License-Identifier: GPL-3.0-or-later
// The session history: what "END" adds after a run, and the SQLite store
// under a damaged file, a newer one, a read-only folder and a crash.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <csignal>
#include <map>

#include "HistoryFolder.h"
#include "SqliteHistory.h"
#include "judge/Judge.h"

namespace kelvora::test {
namespace {

namespace fs = std::filesystem;

SessionRecord Sample(int i) {
    SessionRecord r;
    r.started = 1'767'225'600 + i * 86400;
    r.ended = r.started + 1200;
    r.wordDb = "eword";
    r.testDb = i % 2 ? "ptest" : "a, \"quoted\" name";
    r.mode = 11;
    r.wordAsked[0] = 10 + i, r.wordRight[0] = 7, r.wordAsked[1] = 5, r.wordRight[1] = 2;
    r.testAsked = 40, r.testRight = 30;
    r.estimates = {715, 431.5};
    r.known[0] = 100 + i, r.known[1] = 50, r.neverAsked = 300;
    r.timeScale = i % 2 ? kNoTimeLimit : 1;
    return r;
}

TEST(SessionHistory, EndAddsWhatTheRunDid) {
    ScratchProgram s;
    MemoryHistory kept;
    s.p.history = &kept;
    s.WriteStandardFiles(10);
    s.dir.WriteBytes("eword.dat", " 5, 3,0,0\r\n0,0, 5,-1\r\n");
    ASSERT_FALSE(s.Fire(form1::Form_Load));
    s.host.now += 600;
    s.p.Form3.Check2.value = 0;  // word questions
    s.p.rng.Script({0.0, 0.0, 0.0, 0.0});  // row 0, English to Japanese, right answer A
    ASSERT_FALSE(s.Fire(form1::Command7_Click));
    s.host.monotonicMs += 1234;
    ChooseAnswer(s.p, 0);  // right, with 6 seconds left, after 1.234 s
    s.p.rng.Script({0.0, 0.5, 0.9, 0.3});  // a new run: row 1, Japanese to English
    ASSERT_FALSE(s.Fire(form1::Command7_Click));
    for (int i = 0; i < 6; ++i) {  // timed out: judged wrong
        s.host.monotonicMs += 1000;
        ASSERT_FALSE(s.Fire(form1::Timer1_Timer));
    }
    s.p.rng.Script({0.0, 0.5, 0.9, 0.3});  // again, and the choice in A picked: a wrong one
    ASSERT_FALSE(s.Fire(form1::Command7_Click));
    const std::string picked = s.Choices()[0];
    ASSERT_NE("bank", picked);
    s.host.monotonicMs += 2501;
    ChooseAnswer(s.p, 0);
    s.host.now += 60;
    EXPECT_TRUE(s.Fire(form1::Command5_Click));
    ASSERT_EQ(1u, kept.sessions.size());
    SessionRecord want;
    want.started = 1'767'225'600;
    want.ended = want.started + 660;
    want.wordDb = "eword";
    want.testDb = "ptest";
    want.mode = 10;
    want.wordAsked[0] = want.wordRight[0] = 1;  // the session spans all three runs
    want.wordAsked[1] = 2;
    want.known[0] = 1;    // row 0: 3 + 6; row 1 in Japanese to English: -1 - 1
    want.neverAsked = 1;  // the end record
    // Each judged word question is a review, graded, with the time from
    // the question to the answer and the headword picked: right with 6
    // seconds left, then timed out (no choice), then wrong.
    want.reviews = {Answer("apple", 0, want.started + 600, true, false, 6, 10, 1234, "apple"),
                    Answer("bank", 1, want.started + 600, false, true, 0, 10, 6000, ""),
                    Answer("bank", 1, want.started + 600, false, false, 6, 10, 2501, picked)};
    EXPECT_EQ(want, kept.sessions[0]);

    // A history that cannot take it is told once, and the records are
    // saved all the same; the session is kept for later where it can be.
    kept.failure = "another program holds it";
    for (const std::string keptIn : {"", "/data/history-pending.txt"}) {
        ScratchProgram t;
        kept.keptIn = keptIn;
        t.p.history = &kept;
        t.WriteStandardFiles();
        ASSERT_FALSE(t.Fire(form1::Form_Load));
        t.host.Expect(keptIn.empty()
                          ? "This session could not be added to the history (history.sqlite3): another program holds "
                            "it.\r\nThe learning records are saved; only the history misses this session."
                          : "This session could not be added to the history (history.sqlite3) now: another program "
                            "holds it.\r\nNothing is lost: the session is kept in /data/history-pending.txt, and "
                            "Kelvora adds it to the history the next time it can write there.");
        EXPECT_TRUE(t.Fire(form1::Command5_Click));
        EXPECT_TRUE(t.dir.Exists("eword.dat"));
    }
}

TEST(SqliteHistory, KeepsSessionsAndGivesThemBackAsCsv) {
    TempDir dir;
    const fs::path file = dir.path() / kHistoryFile;
    EXPECT_TRUE(Ok(ReadHistory(file)).empty());  // no file: no session
    SqliteHistory history(file);
    for (int i = 0; i < 3; ++i) EXPECT_EQ("", history.Append(Sample(i)).problem);
    EXPECT_EQ((std::vector<SessionRecord>{Sample(0), Sample(1), Sample(2)}), Ok(ReadHistory(file)));
    ScopedZone zone("UTC");
    const std::string csv = HistoryCsv({Sample(0), Sample(1)});
    EXPECT_EQ("started,ended,word_database,test_database,mode,en_asked,en_right,ja_asked,ja_right,test_asked,test_right,"
              "estimates,known_en,known_ja,never_asked,time_scale\r\n"
              "2026-01-01 00:00:00,2026-01-01 00:20:00,eword,\"a, \"\"quoted\"\" name\",11,10,7,5,2,40,30,715 431.5,100,50,300,1\r\n"
              "2026-01-02 00:00:00,2026-01-02 00:20:00,eword,ptest,11,11,7,5,2,40,30,715 431.5,101,50,300,off\r\n",
              csv);
}

TEST(SqliteHistory, NeverWritesToANewerFile) {
    TempDir dir;
    const fs::path file = dir.path() / kHistoryFile;
    ASSERT_EQ("", SqliteHistory(file).Append(Sample(0)).problem);
    // As a newer Kelvora would leave it (a flipped version bit: DamageTest).
    Query(file, "PRAGMA user_version=99");
    const std::string before = dir.ReadBytes(kHistoryFile);
    const std::string why = "it was written by a newer Kelvora, so this one leaves it as it is";
    EXPECT_EQ(why, SqliteHistory(file).Append(Sample(1)).problem);
    EXPECT_EQ(before, dir.ReadBytes(kHistoryFile));
    EXPECT_EQ(why, Why(ReadHistory(file)));
}

}  // namespace
}  // namespace kelvora::test
