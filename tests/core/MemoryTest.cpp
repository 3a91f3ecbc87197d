// SPDX-License-Identifier: GPL-3.0-or-later
// The memory model: its formulas against reference values of a published
// FSRS-6 implementation (ts-fsrs 5.4.2, short-term on, no fuzz), learning
// days and mode 5's choice of words.
#include <cstdlib>
#include <ctime>

#include <numeric>

#include "Fixture.h"
#include "judge/Judge.h"
#include "memory/Cards.h"
#include "memory/Deck.h"
#include "memory/LearningDay.h"

namespace kelvora::test {
namespace {

using fsrs::Again;
using fsrs::Easy;
using fsrs::Good;
using fsrs::Hard;
const fsrs::Parameters& w = fsrs::kDefaultParameters;
constexpr double kTolerance = 1e-6;

TEST(Fsrs, FormulasMatchThePublishedImplementation) {
    // The first review, by grade: {stability, difficulty}.
    const std::pair<double, double> first[] = {{0.212, 6.4133}, {1.2931, 5.11217071}, {2.3065, 2.11810397}, {8.2956, 1}};
    for (int g = Again; g <= Easy; ++g) {
        const auto s = fsrs::FirstState<double>(w, g);
        EXPECT_NEAR(first[g - 1].first, s.stability, kTolerance) << g;
        EXPECT_NEAR(first[g - 1].second, s.difficulty, kTolerance) << g;  // Easy: clamped at 1
    }
    // Later reviews: (days since the one before, grade) and the state after.
    const struct {
        const char* name;
        std::vector<std::tuple<double, int, double, double>> steps;
    } sequences[] = {
        {"good, good, a lapse, good",
         {{0, Good, 2.3065, 2.11810397}, {3, Good, 13.82690327, 2.11121424}, {10, Again, 1.66614073, 7.39223814},
          {1, Good, 3.68903509, 7.38007427}}},
        {"the same day: short-term stability",
         {{0, Again, 0.212, 6.4133}, {0, Again, 0.08335672, 8.80630447}, {0, Good, 0.10314065, 8.79272653},
          {0, Good, 0.12584424, 8.77916217}, {1, Good, 0.77896147, 8.76561138}}},
        {"hard and easy",
         {{0, Hard, 1.2931, 5.11217071}, {2, Hard, 4.46945539, 6.74045952}, {5, Easy, 20.67117329, 5.63650136},
          {30, Good, 67.18669727, 5.62609323}}},
        {"long gaps",
         {{0, Good, 2.3065, 2.11810397}, {400, Good, 65.60482098, 2.11121424}, {2000, Again, 5.62159935, 7.39223814}}},
    };
    for (const auto& seq : sequences) {
        fsrs::MemoryState<double> s{};
        for (std::size_t i = 0; i < seq.steps.size(); ++i) {
            const auto& [days, grade, stability, difficulty] = seq.steps[i];
            s = i == 0 ? fsrs::FirstState<double>(w, grade) : fsrs::NextState(w, s, days, grade);
            EXPECT_NEAR(stability, s.stability, kTolerance) << seq.name << " step " << i;
            EXPECT_NEAR(difficulty, s.difficulty, kTolerance) << seq.name << " step " << i;
        }
    }
    // Retrievability: {days, stability, R}.
    const std::tuple<double, double, double> recall[] = {{0, 5, 1},          {1, 1, 0.9},           {5, 1, 0.76052756},
                                                        {10, 3.2, 0.80557544}, {100, 10, 0.69282664}, {365, 1000, 0.9539276}};
    for (const auto& [days, stability, r] : recall)
        EXPECT_NEAR(r, fsrs::Retrievability(w, days, stability), kTolerance) << days << "/" << stability;
    // Intervals: {retention, stability, days}; at least 1, at most 36,500.
    const std::tuple<double, double, int> intervals[] = {
        {0.7, 0.5, 5},   {0.7, 10, 93},    {0.7, 100, 929},   {0.7, 5000, 36500}, {0.8, 3.7, 12},  {0.8, 5000, 16580},
        {0.9, 0.5, 1},   {0.9, 3.7, 4},    {0.9, 100, 100},   {0.95, 10, 4},      {0.95, 3.7, 1},  {0.95, 5000, 2013},
        {0.97, 10, 2},   {0.97, 100, 22},  {0.97, 1, 1},      {0.97, 5000, 1114},
    };
    for (const auto& [retention, stability, days] : intervals)
        EXPECT_EQ(days, fsrs::IntervalDays(w, stability, retention)) << retention << "/" << stability;
    // The clamps of a state: stability and difficulty stay in range.
    const auto huge = fsrs::NextState(w, fsrs::MemoryState<double>{36000, 1}, 36000, Easy);
    EXPECT_EQ(fsrs::kMaxStability, huge.stability);
    EXPECT_EQ(fsrs::kMinDifficulty, huge.difficulty);
    EXPECT_EQ(fsrs::kMinStability, fsrs::NextState(w, fsrs::MemoryState<double>{0.001, 10}, 1, Again).stability);
}

// Learning days run from 04:00 to 04:00 local time.
struct InTokyo : ::testing::Test {
    ScopedZone zone{"Asia/Tokyo"};
    // Unix time of a Tokyo (UTC+9) time on 2026-03-10 plus `days`.
    static std::int64_t At(int days, int hour, int minute) {
        return 1'773'100'800 - 9 * 3600 + days * 86400 + hour * 3600 + minute * 60;
    }
};

TEST_F(InTokyo, ALearningDayEndsAtFourInTheMorningAndABackwardClockIsTheSameDay) {
    EXPECT_EQ("2026-03-10", DayText(LearningDay(At(0, 4, 0))));
    EXPECT_EQ("2026-03-10", DayText(LearningDay(At(1, 3, 59))));  // after midnight: still the 10th
    EXPECT_EQ("2026-03-11", DayText(LearningDay(At(1, 4, 0))));
    LearningDays days;
    EXPECT_EQ(LearningDay(At(1, 3, 59)), days.Of(At(1, 3, 59)));

    // A review at 23:00 and one at 03:30 are one day: the second uses the
    // short-term formula. One at 04:10 is a day later.
    CardState card;
    ApplyReview(card, w, At(0, 23, 0), LearningDay(At(0, 23, 0)), Good);
    CardState sameDay = card, nextDay = card;
    ApplyReview(sameDay, w, At(1, 3, 30), LearningDay(At(1, 3, 30)), Good);
    ApplyReview(nextDay, w, At(1, 4, 10), LearningDay(At(1, 4, 10)), Good);
    EXPECT_NEAR(fsrs::NextState(w, card.memory, 0, Good).stability, sameDay.memory.stability, kTolerance);
    EXPECT_NEAR(fsrs::NextState(w, card.memory, 1, Good).stability, nextDay.memory.stability, kTolerance);
    // The clock set back two days: counted as the same day, the card stays
    // on its later day and is never due before it.
    CardState backwards = nextDay;
    ApplyReview(backwards, w, At(-1, 12, 0), LearningDay(At(-1, 12, 0)), Good);
    EXPECT_NEAR(fsrs::NextState(w, nextDay.memory, 0, Good).stability, backwards.memory.stability, kTolerance);
    EXPECT_EQ(nextDay.lastDay, backwards.lastDay);
    EXPECT_EQ(1.0, RetrievabilityOn(backwards, w, backwards.lastDay - 3));
    EXPECT_EQ(0, backwards.lapses);
}

// On the days the clocks change, a learning day still starts at 04:00 on
// the wall clock: an hour's change at 02:00, a half hour's at Lord Howe.
struct ClockChange {
    const char* zone;
    std::int64_t at;  // Unix seconds
    const char* day;
};
class LearningDayOnClockChanges : public ::testing::TestWithParam<ClockChange> {};

TEST_P(LearningDayOnClockChanges, StartsAtFourOnTheWallClock) {
    const ClockChange& c = GetParam();
    ScopedZone zone(c.zone);
    EXPECT_EQ(c.day, DayText(LearningDay(c.at)));
    LearningDays days;
    EXPECT_EQ(c.day, DayText(days.Of(c.at)));
}

INSTANTIATE_TEST_SUITE_P(
    Zones, LearningDayOnClockChanges,
    ::testing::Values(ClockChange{"America/New_York", 1772957400, "2026-03-08"},      // 04:10, the clocks went forward
                      ClockChange{"America/New_York", 1772956200, "2026-03-07"},      // 03:50
                      ClockChange{"America/New_York", 1793524200, "2026-11-01"},      // 04:10, the clocks went back
                      ClockChange{"America/New_York", 1793523540, "2026-10-31"},      // 03:59
                      ClockChange{"Australia/Lord_Howe", 1791047400, "2026-10-04"},   // 04:10, half an hour forward
                      ClockChange{"Australia/Lord_Howe", 1791046200, "2026-10-03"},   // 03:50
                      ClockChange{"Australia/Lord_Howe", 1775324400, "2026-04-05"},   // 04:10, half an hour back
                      ClockChange{"Australia/Lord_Howe", 1775323740, "2026-04-04"}),  // 03:59
    [](const auto& info) { return "Row" + std::to_string(info.index); });

// The replay takes a card's reviews in the order they were made: a clock
// set back between two sessions never moves the later answers first, and
// imported reviews go in by their time.
TEST(ReviewOrder, KeptReviewsInTheOrderMadeImportedOnesByTime) {
    ReviewLog log;
    log.cards = {{"eword", "a", 0}, {"eword", "b", 0}};
    const std::int64_t march = 1'772'452'800, y2020 = 1'577'880'000;
    log.events = {{0, march, 3, 0, 1},           {1, march, 3, 0, 1},  {0, y2020, 1, 0, 2},
                  {0, march + 10, 4, 0, ReviewLog::kImported},         {0, y2020 - 10, 2, 0, ReviewLog::kImported},
                  {0, y2020 + 5, 1, 0, ReviewLog::kNotYetKept}};
    GroupByCardAsMade(log);
    EXPECT_EQ((ReviewLog::Events{{0, y2020 - 10, 2, 0, 0},
                              {0, march, 3, 0, 1},
                              {0, y2020, 1, 0, 2},  // made after March: counts as no earlier
                              {0, y2020 + 5, 1, 0, -1},
                              {0, march + 10, 4, 0, 0},
                              {1, march, 3, 0, 1}}),
              log.events);
}

// A long log is replayed on two threads, half the cards each: the deck
// is the one a single thread makes. (The second log is longer only by
// reviews of a word the bank lacks.)
TEST(Deck, ALongLogReplayedOnTwoThreadsIsTheDeckOneThreadMakes) {
    constexpr int kWords = 1000, kOneThread = 199'990;
    std::vector<std::string> words;
    ReviewLog log;
    for (int i = 0; i < kWords; ++i) {
        words.push_back("w" + std::to_string(i));
        for (int d : {0, 1}) log.cards.push_back({"eword", words.back(), d});
    }
    log.cards.push_back({"eword", "gone", 0});
    for (int i = 0; i < kOneThread; ++i)
        log.events.push_back({static_cast<std::uint32_t>((i * 7919) % (2 * kWords)), std::int64_t{1'700'000'000} + i * 3600LL,
                              static_cast<std::uint8_t>(1 + i % 4), 0, 1});
    const Deck one(words, "eword", log, {}, {});
    for (int i = 0; i < 20; ++i) log.events.push_back({2 * kWords, 1'800'000'000 + i, 3, 0, 1});
    const Deck two(words, "eword", log, {}, {});
    for (int row = 0; row < kWords; ++row)
        for (int d : {0, 1}) {
            const CardState &a = one.Card(row, d), &b = two.Card(row, d);
            ASSERT_EQ(std::make_tuple(a.memory.stability, a.memory.difficulty, a.reviews, a.lapses, a.lastAt, a.lastDay),
                      std::make_tuple(b.memory.stability, b.memory.difficulty, b.reviews, b.lapses, b.lastAt, b.lastDay))
                << row << " " << d;
        }
}

struct DueWords : InTokyo, ScratchProgram {
    MemoryHistory history;
    // Six words; mode 5 with a daily limit of two new words.
    void Load(const std::vector<std::tuple<std::string, int, std::int64_t, int>>& reviews, bool endRecord = false) {
        std::string words;
        for (int i = 0; i < 6; ++i) words += "w" + std::to_string(i) + ",m" + std::to_string(i) + "\r\n";
        if (endRecord) words += "zzzzzzzz,end\r\n";
        dir.WriteCp932("qbx.txt", Settings(1, {"eword"}, -1, {"ptest"}, 5, 0, 20));
        dir.WriteCp932("eword.txt", words);
        dir.WriteCp932("ptest.txt", Crlf({"I have a &pen&.", "pen,pin,pan,pun,A", "c"}));
        dir.WriteBytes("kelvora.conf", "new_cards_per_day = 2\n");
        for (const auto& [word, direction, at, grade] : reviews) {
            history.log.cards.push_back({"eword", word, direction});
            history.log.events.push_back({static_cast<std::uint32_t>(history.log.cards.size() - 1), at,
                                          static_cast<std::uint8_t>(grade), 3, 1});
        }
        p.history = &history;
        host.now = At(0, 20, 0);
        ASSERT_FALSE(Fire(form1::Form_Load));
    }
    std::pair<int, int> Asked() const { return {p.m.QuestionIndex, p.m.Direction}; }
    // Answers right, then waits for the next question.
    void AnswerRight() {
        ChooseAnswer(p, p.m.CorrectAnswer);
        for (int i = 0; i < 2; ++i) ASSERT_FALSE(Fire(form1::Timer1_Timer));
    }
};

// The deck made on its own thread from the moment the window shows, and
// taken at Start (waiting for it if need be) with the answers judged
// meanwhile, asks what the deck made at Start asks.
TEST_F(DueWords, ADeckMadeOnItsOwnThreadIsTheDeckStartWouldMake) {
    const std::vector<std::tuple<std::string, int, std::int64_t, int>> log = {
        {"w0", 0, At(-10, 20, 0), Good}, {"w1", 1, At(-3, 20, 0), Good}, {"w2", 0, At(-1, 20, 0), Again}};
    const Review meanwhile{"w3", 0, At(0, 19, 0), true, false, 4, 1, kGood, 900, "w3"};
    auto asks = [&](DueWords& d, bool early) {
        d.Load(log);
        if (early) {
            EXPECT_FALSE(d.Fire(form1::Shown));
            EXPECT_TRUE(d.p.deckBuild.valid());  // being made on its thread
        }
        d.p.session.reviews.push_back(meanwhile);  // an answer in another mode, before Start
        EXPECT_FALSE(d.Fire(form1::Command7_Click));
        std::vector<std::pair<int, int>> asked{d.Asked()};
        for (int i = 0; i < 5; ++i) {
            d.AnswerRight();
            asked.push_back(d.Asked());
        }
        return asked;
    };
    struct Another : DueWords {
        void TestBody() override {}
    } atStart;
    EXPECT_EQ(asks(atStart, false), asks(*this, true));
    EXPECT_FALSE(p.deckBuild.valid());  // taken
}

// The database's end record is never asked in mode 5, not even when it
// was reviewed before (or when nothing else is left).
TEST_F(DueWords, TheEndRecordIsNoWordToLearn) {
    Load({{"zzzzzzzz", 0, At(-10, 20, 0), Again}}, true);
    ASSERT_FALSE(Fire(form1::Command7_Click));
    for (int i = 0; i < 30; ++i) {
        EXPECT_NE(6, p.m.QuestionIndex) << i;
        AnswerRight();
    }
}

TEST_F(DueWords, DueFirstLikeliestForgottenThenNewUpToTheLimitThenTheLowestRecall) {
    // w0 learnt ten days ago and w1 three days ago (both due, w0 likelier
    // forgotten); w2 yesterday (due in two days).
    Load({{"w0", 0, At(-10, 20, 0), Good}, {"w1", 1, At(-3, 20, 0), Good}, {"w2", 0, At(-1, 20, 0), Good}});
    ASSERT_FALSE(Fire(form1::Command7_Click));
    std::vector<std::pair<int, int>> asked{Asked()};
    for (int i = 0; i < 4; ++i) {
        AnswerRight();
        asked.push_back(Asked());
    }
    EXPECT_EQ(std::make_pair(0, 0), asked[0]);
    EXPECT_EQ(std::make_pair(1, 1), asked[1]);
    // Then two words never reviewed, and no third: the limit is two.
    for (int i : {2, 3}) {
        const auto [row, direction] = asked[static_cast<std::size_t>(i)];
        EXPECT_FALSE(row == 0 && direction == 0) << i;
        EXPECT_FALSE(row == 1 && direction == 1) << i;
        EXPECT_FALSE(row == 2 && direction == 0) << i;
    }
    EXPECT_NE(asked[2], asked[3]);
    // Nothing due and no new word left for today: the lowest recall, w2.
    EXPECT_EQ(std::make_pair(2, 0), asked[4]);
    // Stop's report says so.
    ASSERT_FALSE(Fire(form1::Command6_Click));
    const std::string& report = p.Form2.Text1.text;
    EXPECT_EQ("\r\n Due today: 0   new today: 2 of 2   next due: 2026-03-11", report.substr(report.rfind("\r\n")));
    // "END" keeps every answer as a review of this session.
    ASSERT_TRUE(Fire(form1::Command5_Click));
    ASSERT_EQ(1u, history.sessions.size());
    ASSERT_EQ(4u, history.sessions[0].reviews.size());
    EXPECT_EQ((Review{"w0", 0, At(0, 20, 0), true, false, 6, 5, kGood, 0, "w0"}), history.sessions[0].reviews[0]);
}

// Mode 6, before the exam: the reviewed words of lowest retrievability
// now, due or not, never a new one; its answers are reviews as any.
TEST_F(DueWords, BeforeTheExamAsksTheWeakestReviewedWordsDueOrNot) {
    Load({{"w0", 0, At(-10, 20, 0), Good}, {"w1", 1, At(-3, 20, 0), Good}, {"w2", 0, At(-1, 20, 0), Good}});
    p.Form3.Text3.text = "6";
    ASSERT_FALSE(Fire(form1::Command7_Click));
    std::vector<std::pair<int, int>> asked{Asked()};
    for (int i = 0; i < 4; ++i) {
        host.now += 10;
        AnswerRight();
        asked.push_back(Asked());
    }
    // w2, not due for two days, comes after the two due ones; answered
    // today, all three are as strong, and the first comes round again.
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 0}, {0, 0}, {1, 1}}), asked);
    ASSERT_TRUE(Fire(form1::Command5_Click));
    ASSERT_EQ(4u, history.sessions[0].reviews.size());
    EXPECT_EQ(6, history.sessions[0].reviews[3].mode);
    EXPECT_EQ(kGood, history.sessions[0].reviews[3].grade);
}

// A bank of common words, with its ranks beside it: new words most
// frequent first, each in both directions; after a verdict, its part of
// speech and example; the words without a rank after the ranked ones.
TEST_F(DueWords, ARankedBankBringsNewWordsMostFrequentFirstAndShowsTheirExamples) {
    dir.WriteBytes("eword.words-info", "w3\t1\tnoun\tThe w3 is here.\nw1\t2\tverb\t\nnot a line\n");
    Load({});
    p.own.newCardsPerDay = 100;
    ASSERT_FALSE(Fire(form1::Command7_Click));
    std::vector<std::pair<int, int>> asked{Asked()};
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ("w3 (noun)\r\n\r\nThe w3 is here.", p.Form2.Text1.text);
    EXPECT_TRUE(p.Form2.Text1.visible);
    for (int i = 0; i < 2; ++i) ASSERT_FALSE(Fire(form1::Timer1_Timer));
    EXPECT_FALSE(p.Form2.Text1.visible);
    asked.push_back(Asked());
    for (int i = 0; i < 3; ++i) {
        host.now += 10;
        AnswerRight();
        asked.push_back(Asked());
    }
    EXPECT_EQ((std::vector<std::pair<int, int>>{{3, 0}, {3, 1}, {1, 0}, {1, 1}, {0, 0}}), asked);
}

// A learner who imported a year of reviews and kept no session yet sees
// them as questions, day by day.
TEST_F(DueWords, ProgressCountsEveryReviewAsAQuestion) {
    Load({{"w0", 0, At(-10, 20, 0), Good}, {"w1", 1, At(-3, 20, 0), Again}, {"w1", 1, At(-3, 21, 0), Good}});
    const ProgressData d = form1::Menu_Progress(p);
    EXPECT_EQ("", d.historyProblem);
    EXPECT_TRUE(d.sessions.empty());
    const std::int64_t today = LearningDay(host.now);
    EXPECT_EQ((std::vector<DayQuestions>{{today - 10, 1, 1}, {today - 3, 2, 1}}), d.questionsPerDay);
    EXPECT_LT(0, std::accumulate(d.dueForecast.begin(), d.dueForecast.end(), 0));
    EXPECT_EQ(today, d.recall.back().day);
}

TEST_F(DueWords, AnUnreadableHistoryIsToldOnceAndModeFiveAsksAsModeTwo) {
    history.failure = "the file is damaged, so Kelvora leaves it as it is";
    Load({});
    host.Expect("The review history (history.sqlite3) cannot be read: the file is damaged, so Kelvora leaves it as "
                "it is.\r\nMode 5 asks the words not yet answered right, as mode 2 does.");
    p.m.WordTbl[0].score[0] = " 5";  // w0 in direction 0 was answered right: mode 2 passes it by
    p.rng.Script({0.0, 0.0, 0.0, 0.1, 0.7});
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(std::make_pair(0, 1), Asked());
    AnswerRight();  // no second message
    ASSERT_FALSE(Fire(form1::Command6_Click));
    EXPECT_NE(std::string::npos, p.Form2.Text1.text.find("\r\n Due words: the review history cannot be read."));
}

}  // namespace
}  // namespace kelvora::test
