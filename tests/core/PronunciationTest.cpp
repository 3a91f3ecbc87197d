// SPDX-License-Identifier: GPL-3.0-or-later
// Entry parts, the sound part and the calls into the player.
#include "Fixture.h"
#include "text/EntryParts.h"
#include "audio/Playback.h"
#include "judge/Judge.h"

namespace kelvora::test {
namespace {

// A cell's text and sound parts, and the sound part's name, start and time.
TEST(EntryParts, TextAndSoundParts) {
    const struct {
        const char *cell, *text, *name, *start, *time;
    } rows[] = {
        {"apple", "apple", "", "", ""},
        {"apple|words 2 3", "apple", "words", "2", "3"},
        {"apple|", "apple", "", "", ""},
        {"apple|words|unused", "apple", "words", "", ""},
        {"|snd", "", "snd", "", ""},
        {" a | b |c", " a ", "", "b", ""},
        {"x|words    2   3", "x", "words", "2", "3"},
        {"x|words 2 3 4 5", "x", "words", "2", "3"},
        {"x|  words 2", "x", "", "words", "2"},
        {"x|単語 1.5 x", "x", "単語", "1.5", "x"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.text, GetTextPart(r.cell)) << r.cell;
        const SoundSpec s = SplitSoundSpec(GetSoundPart(r.cell));
        EXPECT_EQ((std::vector<std::string>{r.name, r.start, r.time}), (std::vector<std::string>{s.name, s.start, s.time}))
            << r.cell;
    }
}

using Pronunciation = ProgramFixture;

TEST_F(Pronunciation, PlaysASectionAndArmsTheStopTimer) {
    const struct {
        const char* spec;
        std::vector<std::string> calls;
        int interval;
    } rows[] = {
        {"words 2 3", {"stop", "open words.mp3", "play", "seek 2"}, 3000},
        {"words", {"stop", "open words.mp3", "play", "seek 0"}, 0},
        {"words 2.5 1.25", {"stop", "open words.mp3", "play", "seek 2"}, 1250},
        {"words -4 -1", {"stop", "open words.mp3", "play", "seek 0"}, 0},
        {"words 1 99999999", {"stop", "open words.mp3", "play", "seek 1"}, 2147483647},
        {"単語 3abc 2", {"stop", "open 単語.mp3", "play", "seek 3"}, 2000},
    };
    for (const auto& r : rows) {
        player.log.clear();
        p.Form1.Timer2 = {777, false};
        PlayPronunciation(p, r.spec);
        EXPECT_EQ(r.calls, player.log) << r.spec;
        EXPECT_EQ(r.interval, p.Form1.Timer2.interval) << r.spec;
        EXPECT_TRUE(p.Form1.Timer2.enabled);
    }
}

TEST_F(Pronunciation, AFileThatWillNotOpenIsToldAndNothingPlays) {
    player.openResult = 0;
    p.Form1.Timer2 = {3000, true};
    host.Expect(" Open Error missing");
    PlayPronunciation(p, "missing 1 2");
    EXPECT_EQ((std::vector<std::string>{"stop", "open missing.mp3"}), player.log);
    EXPECT_FALSE(p.Form1.Timer2.enabled);
}

TEST_F(Pronunciation, GetStateSwitchesTheStopTimerOffWhenIdle) {
    p.Form1.Timer2 = {3000, true};
    player.state = 1;
    EXPECT_EQ(1, getState(p));
    EXPECT_TRUE(p.Form1.Timer2.enabled);
    player.state = 0;
    EXPECT_EQ(0, getState(p));
    EXPECT_FALSE(p.Form1.Timer2.enabled);
}

// Words without a recording that plays are spoken, when the learner asked
// for it: never over a recording, never the answer being sought.
TEST_F(Pronunciation, AnEnglishWordWithoutAPlayableRecordingIsSpoken) {
    const struct {
        const char* cell;
        bool speakWords;
        int direction;
        std::vector<std::string> calls;
    } rows[] = {
        {"apple|words 0 2", true, 0, {"stop", "open words.mp3", "play", "seek 0"}},  // the recording
        {"apple", true, 0, {"speak apple"}},
        {"apple *", true, 0, {"speak apple"}},  // a marked word, without its mark
        {"apple|missing 0 2", true, 0, {"stop", "open missing.mp3", "speak apple"}},  // told, then spoken
        {"apple|words 9 2", true, 0, {"stop", "open words.mp3", "play", "seek 9", "speak apple"}},  // past its end
        {"apple", false, 0, {}},                                                       // the option off
        {"apple", true, 1, {}},  // the meaning is asked: the word is the answer
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.cell);
        ScratchProgram s;
        s.dir.WriteCp932("qbx.txt", Settings(1, {"eword"}, -1, {"ptest"}, 10, 0, 20));
        s.dir.WriteCp932("eword.txt", Crlf({std::string(r.cell) + ",りんご", "bank,銀行", "cat,猫", "dog,犬", "egg,卵"}));
        s.dir.WriteCp932("ptest.txt", Crlf({"q", "a,b,c,d,A", "c"}));
        s.dir.WriteBytes("kelvora.conf", std::string("speak_words = ") + (r.speakWords ? "yes" : "no") + "\n");
        ASSERT_FALSE(s.Fire(form1::Form_Load));
        if (std::string(r.cell).find("missing") != std::string::npos) {
            s.player.openResult = 0;
            s.host.Expect(" Open Error missing");
        }
        s.player.log.clear();
        s.p.rng.Script({0.0, 0.1, r.direction ? 0.9 : 0.1});  // row 0, in the row's direction
        ASSERT_FALSE(s.Fire(form1::Command7_Click));
        EXPECT_EQ(r.calls, s.player.log);
    }
    // Without the engine nothing is spoken, and "Say the word again" plays
    // the recording or speaks the word; a meaning asked keeps its answer
    // until the verdict.
    ScratchProgram s;
    s.WriteStandardFiles(10);
    s.dir.WriteBytes("kelvora.conf", "speak_words = yes\n");
    ASSERT_FALSE(s.Fire(form1::Form_Load));
    s.p.Form3.Check2.value = 0;
    s.p.rng.Script({0.0, 0.0, 0.9, 0.0});  // apple, the meaning asked
    ASSERT_FALSE(s.Fire(form1::Command7_Click));
    s.player.log.clear();
    form1::Menu_SayAgain(s.p);
    EXPECT_TRUE(s.player.log.empty());
    ChooseAnswer(s.p, 0);
    form1::Menu_SayAgain(s.p);
    EXPECT_EQ(std::vector<std::string>{"speak apple"}, s.player.log);
    s.player.canSpeak = false;
    s.player.log.clear();
    form1::Menu_SayAgain(s.p);
    EXPECT_TRUE(s.player.log.empty());
    EXPECT_EQ("no speech engine", form1::Menu_SpeechItem(s.p).why);
    // The option is remembered in kelvora.conf, the learner's own lines kept.
    s.dir.WriteBytes("kelvora.conf", "# mine\nnew_cards_per_day = 5\nspeak_words = yes\n");
    form1::Menu_SpeakWords(s.p, false);
    EXPECT_EQ("# mine\nnew_cards_per_day = 5\nspeak_words = no\ndesired_retention = 0.90\ntime_scale = 1\n",
              s.dir.ReadBytes("kelvora.conf"));
}

}  // namespace
}  // namespace kelvora::test
