// SPDX-License-Identifier: GPL-3.0-or-later
// The memory model at the largest sizes: a history of 1,000,000 reviews
// (20,000 words, both directions, 25 reviews each) behind mode 5, "END" and
// "kelvora due"; the fit on 100,000 reviews.
#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "Events.h"
#include "QuietServices.h"
#include "SqliteHistory.h"
#include "SyntheticLearner.h"
#include "Verbs.h"
#include "judge/Judge.h"
#include "memory/Fit.h"
#include "run/Run.h"
#include "words/WordSave.h"
#include "words/WordTable.h"

#include <numeric>

namespace kelvora::bench {
namespace {

constexpr std::int64_t kNow = 1'767'225'600 + 1000 * 86400;  // after the last review of the log

// The 20,001-word data with its history: made once, kept in /tmp.
const std::filesystem::path& MillionReviews() {
    static const std::filesystem::path dir = [] {
        const auto d = MakeData(20001);
        const auto file = d / kHistoryFile;
        if (const auto kept = SqliteHistory(file).Reviews("bank"); kept && kept->events.size() == 1'000'000) return d;
        std::filesystem::remove(d / (std::string(kHistoryFile) + "-wal"));
        std::filesystem::remove(file);
        support::LearnerShape shape;
        shape.cards = 40000;
        shape.reviewsPerCard = 25;
        shape.database = "bank";
        shape.word = [](int c) { return Word(c / 2); };
        const ReviewLog log = support::SyntheticLog(shape);
        std::vector<ImportedReview> rows;
        rows.reserve(log.events.size());
        for (const auto& e : log.events)
            rows.push_back({log.cards[e.card].word, log.cards[e.card].direction, e.at, e.grade, e.secondsLeft,
                            kNoResponseTime, {}, 0});
        if (!SqliteHistory(file).Import("bank", rows)) std::abort();
        return d;
    }();
    return dir;
}

struct ModeFive {
    support::QuietHost host;
    support::QuietPlayer player;
    Program p;
    SqliteHistory history;
    // On a copy of the history, which "END" may write to.
    static std::filesystem::path Copy() {
        const auto copy = std::filesystem::temp_directory_path() / "kelvora-bench-million.sqlite3";
        std::filesystem::copy_file(MillionReviews() / kHistoryFile, copy, std::filesystem::copy_options::overwrite_existing);
        return copy;
    }
    ModeFive() : p(host, player, MillionReviews()), history(Copy()) {
        p.history = &history;
        // As the window does once it shows: "END" finds the check done.
        history.CheckInBackground();
        history.WhyNotWhole();
        form1::Form_Load(p);
        p.Form3.Check2.value = 0;  // word questions
        p.Form3.Text3.text = "5";
    }
};

// Start in mode 5: the history read and replayed, the first question shown.
void BM_FirstDueQuestion(benchmark::State& state) {
    ModeFive m;
    for (auto _ : state) {
        m.p.deck.reset();
        form1::Command7_Click(m.p);
    }
    state.SetLabel("1,000,000 reviews");
}
BENCHMARK(BM_FirstDueQuestion)->Unit(benchmark::kMillisecond)->Iterations(5);

// A judged answer, then the next due word.
void BM_NextDueQuestion(benchmark::State& state) {
    ModeFive m;
    form1::Command7_Click(m.p);
    for (auto _ : state) {
        ChooseAnswer(m.p, m.p.m.CorrectAnswer);
        NextQuestion(m.p);
    }
    state.SetLabel("answer and next question");
}
BENCHMARK(BM_NextDueQuestion)->Unit(benchmark::kMicrosecond);

// "END" after a 200-question session: both records, the session and its
// 200 reviews into the history of a million.
void BM_EndWith200Reviews(benchmark::State& state) {
    ModeFive m;
    std::int64_t at = kNow;
    for (auto _ : state) {
        state.PauseTiming();
        m.p.session.reviews.clear();
        for (int i = 0; i < 200; ++i) m.p.session.reviews.push_back({Word(i * 7), i % 2, ++at, i % 5 != 0, false, 3, 5, GradeOf(i % 5 != 0, false), 1500, Word(i * 7)});
        state.ResumeTiming();
        try {
            form1::Command5_Click(m.p);
        } catch (const ProgramEnd&) {
        }
    }
}
BENCHMARK(BM_EndWith200Reviews)->Unit(benchmark::kMillisecond)->Iterations(20);

// SQLite's check of every page before the first write: once per window,
// on a thread of its own as soon as the window shows, or once per command
// that writes.
void BM_HistoryCheck(benchmark::State& state) {
    const auto file = MillionReviews() / kHistoryFile;
    for (auto _ : state) {
        SqliteHistory history(file);
        const std::string why = history.WhyNotWhole();
        if (!why.empty()) state.SkipWithError(why.c_str());
    }
    state.SetLabel("1,000,000 reviews");
}
BENCHMARK(BM_HistoryCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DueCommand(benchmark::State& state) {
    Options options;
    options.action = Options::Action::Due;
    options.dataDir = MillionReviews();
    for (auto _ : state) {
        const cli::Outcome o = cli::RunVerb(options, {}, kNow);
        if (o.status != 0) state.SkipWithError(o.err.c_str());
        benchmark::DoNotOptimize(o.out.size());
    }
    state.SetLabel("40,000 cards, 1,000,000 reviews");
}
BENCHMARK(BM_DueCommand)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Fit(benchmark::State& state) {
    support::LearnerShape shape;
    shape.cards = 4000;
    shape.reviewsPerCard = 25;
    const auto cards = fsrs::SequencesOf(support::SyntheticLog(shape));
    for (auto _ : state) {
        const fsrs::FitResult fit = fsrs::Fit(cards);
        benchmark::DoNotOptimize(fit.weights);
    }
    state.SetLabel("100,000 reviews, one thread");
}
BENCHMARK(BM_Fit)->Unit(benchmark::kMillisecond)->Iterations(3);

// The word editor on 20,001 words: reading the book for the window, one
// keystroke of a find, a sort, and a save of one renamed word (database,
// record and the history's cards, 1,000,000 reviews).
void BM_WordsRead(benchmark::State& state) {
    for (auto _ : state) {
        const WordBook book = *WordBook::Read(MillionReviews(), "bank");
        benchmark::DoNotOptimize(FoldedRows(book).size());
    }
}
BENCHMARK(BM_WordsRead)->Unit(benchmark::kMillisecond);

void BM_WordsFindKeystroke(benchmark::State& state) {
    const WordBook book = *WordBook::Read(MillionReviews(), "bank");
    const auto folded = FoldedRows(book);
    const std::vector<WordMemoryPair> memory(book.entries().size());
    for (auto _ : state) benchmark::DoNotOptimize(FindWords(book, folded, memory, "word12", WordFilter::All, 0).size());
}
BENCHMARK(BM_WordsFindKeystroke)->Unit(benchmark::kMillisecond);

void BM_WordsSort(benchmark::State& state) {
    const WordBook book = *WordBook::Read(MillionReviews(), "bank");
    const std::vector<WordMemoryPair> memory(book.entries().size());
    std::vector<int> rows(book.entries().size());
    for (auto _ : state) {
        std::iota(rows.begin(), rows.end(), 0);
        SortWordRows(rows, book, memory, static_cast<int>(state.range(0)), true);
    }
}
BENCHMARK(BM_WordsSort)->Arg(0)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_WordsSave(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "kelvora-bench-words";
    std::filesystem::create_directories(dir);
    for (const char* f : {"bank.txt", "bank.dat"})
        std::filesystem::copy_file(MillionReviews() / f, dir / f, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(ModeFive::Copy(), dir / kHistoryFile, std::filesystem::copy_options::overwrite_existing);
    SqliteHistory history(dir / kHistoryFile);
    history.WhyNotWhole();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WordBook book = *WordBook::Read(dir, "bank");
        // Back and forth: word00000 renamed, then named as it was.
        const bool first = n % 2 == 0;
        const Result<void> renamed = book.Rename(book.RowOfKey(first ? Word(0) : "renamed"), first ? "renamed" : Word(0));
        state.ResumeTiming();
        const Result<void> saved = SaveWordBook(book, dir, &history, "bench" + std::to_string(n++));
        if (!saved || !renamed) state.SkipWithError((saved ? renamed.error() : saved.error()).c_str());
    }
    state.SetLabel("20,001 words, 1,000,000 reviews");
}
BENCHMARK(BM_WordsSave)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace kelvora::bench
