// SPDX-License-Identifier: GPL-3.0-or-later
// The costs a learner can feel: start-up, saving, one question, "CHK".
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <map>

#include "BenchData.h"
#include "Events.h"
#include "QuietServices.h"
#include "judge/Judge.h"
#include "platform/Codec.h"
#include "Import.h"
#include "SqliteHistory.h"
#include "files/FixPatch.h"
#include "files/LearningRecord.h"
#include "files/QuestionBanks.h"
#include "run/Run.h"
#include "run/TrainingList.h"

namespace kelvora::bench {
namespace {

using Host = support::QuietHost;
using Player = support::QuietPlayer;

const std::filesystem::path& Data(int n) {
    static std::map<int, std::filesystem::path> made;
    auto it = made.find(n);
    if (it == made.end()) it = made.emplace(n, MakeData(n)).first;
    return it->second;
}

// The floor: reading the same four files and decoding them.
void BM_ReadAndDecodeFloor(benchmark::State& state) {
    const auto& dir = Data(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t total = 0;
        for (const char* name : {"qbx.txt", "bank.txt", "bank.dat", "fix.txt", "ptest.txt", "ptest.dat"}) {
            std::ifstream in(dir / name, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            total += DecodeCp932Iconv(bytes).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadAndDecodeFloor)->Arg(1000)->Arg(5000)->Arg(20001)->Unit(benchmark::kMillisecond);

void BM_FormLoad(benchmark::State& state) {
    const auto& dir = Data(static_cast<int>(state.range(0)));
    Host host;
    Player player;
    for (auto _ : state) {
        Program p(host, player, dir);
        form1::Form_Load(p);
        benchmark::DoNotOptimize(p.m.WordCount);
    }
}
BENCHMARK(BM_FormLoad)->Arg(1000)->Arg(5000)->Arg(20001)->Unit(benchmark::kMillisecond);

struct Loaded {
    Host host;
    Player player;
    Program p;
    explicit Loaded(int n) : p(host, player, Data(n)) { form1::Form_Load(p); }
};

void BM_EndSavesBothRecords(benchmark::State& state) {
    Loaded l(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        try {
            form1::Command5_Click(l.p);
        } catch (const ProgramEnd&) {
        }
    }
}
BENCHMARK(BM_EndSavesBothRecords)->Arg(1000)->Arg(5000)->Arg(20001)->Unit(benchmark::kMillisecond);

// "END" as the program does it: both records, then the session added to
// history.sqlite3 (one transaction, write-ahead log).
void BM_EndWithHistory(benchmark::State& state) {
    Loaded l(static_cast<int>(state.range(0)));
    const auto file = std::filesystem::temp_directory_path() / "kelvora-bench-history.sqlite3";
    std::filesystem::remove(file);
    SqliteHistory history(file);
    l.p.history = &history;
    for (auto _ : state) {
        try {
            form1::Command5_Click(l.p);
        } catch (const ProgramEnd&) {
        }
    }
}
BENCHMARK(BM_EndWithHistory)->Arg(20001)->Unit(benchmark::kMillisecond);

void BM_NextQuestion(benchmark::State& state) {
    Loaded l(20001);
    l.p.Form3.Check2.value = 0;  // word questions: the selection by mode
    l.p.Form3.Text3.text = std::to_string(state.range(0));
    form1::Command7_Click(l.p);  // also loads the training list for mode 4
    for (auto _ : state) NextQuestion(l.p);
    state.SetLabel("mode " + std::to_string(state.range(0)));
}
BENCHMARK(BM_NextQuestion)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(10)->Arg(20)->Arg(21)->Arg(22)
    ->Unit(benchmark::kMicrosecond);

void BM_TestQuestion(benchmark::State& state) {
    Loaded l(20001);
    l.p.Form3.Check1.value = 0;
    l.p.Form3.Text3.text = "11";
    form1::Command7_Click(l.p);
    for (auto _ : state) NextQuestion(l.p);
}
BENCHMARK(BM_TestQuestion)->Unit(benchmark::kMicrosecond);

void BM_JudgeAnswer(benchmark::State& state) {
    Loaded l(20001);
    l.p.Form3.Check2.value = 0;
    form1::Command7_Click(l.p);
    for (auto _ : state) {
        l.p.m.QuizState = RunState::AwaitingAnswer;
        ChooseAnswer(l.p, 1);
    }
}
BENCHMARK(BM_JudgeAnswer)->Unit(benchmark::kMicrosecond);

void BM_StatisticsReport(benchmark::State& state) {
    Loaded l(static_cast<int>(state.range(0)));
    for (auto _ : state) form1::Command9_Click(l.p);
}
BENCHMARK(BM_StatisticsReport)->Arg(1000)->Arg(5000)->Arg(20001)->Unit(benchmark::kMillisecond);

// A million empty lines and one row, in a record, a fix patch, a training
// list and a word database: reading stays linear in the size of the file.
void BM_MillionBlankLines(benchmark::State& state) {
    static const std::filesystem::path dir = [] {
        const auto d = std::filesystem::temp_directory_path() / "kelvora-bench-blank";
        std::filesystem::create_directories(d);
        const std::string blank(2'000'000, '\n');
        WriteCp932(d / "bank.txt", "apple,りんご\r\nzzzzzzzz,終わり\r\n");
        std::ofstream(d / "bank.dat", std::ios::binary) << blank << "5,5,5,5\r\n";
        std::ofstream(d / "fix.txt", std::ios::binary) << blank.substr(0, 1'000'000) << "apple,林檎\r\n";
        std::ofstream(d / "train.txt", std::ios::binary) << blank.substr(0, 1'000'000) << "apple,x\r\n";
        std::ofstream(d / "huge.txt", std::ios::binary) << blank.substr(0, 1'000'000) << "apple,x\r\n";
        return d;
    }();
    const auto which = state.range(0);
    Host host;
    Player player;
    Program p(host, player, dir);
    p.m.WordDbCount = 3;
    p.m.WordDbName[0] = "bank";
    p.m.WordDbName[1] = "fix";
    p.m.WordDbName[2] = "train";
    static_cast<void>(LoadWordDatabase(p));
    for (auto _ : state) {
        if (which == 0) LoadWordRecord(p);
        if (which == 1) static_cast<void>(MergeFixPatch(p));
        if (which == 2) LoadTrainingList(p);
        if (which == 3) {
            p.m.WordDbName[0] = "huge";
            static_cast<void>(LoadWordDatabase(p));  // too many records: a message at the end
            p.m.WordDbName[0] = "bank";
        }
    }
    const char* names[] = {"learning record", "fix patch", "training list", "word database"};
    state.SetLabel(names[which]);
}
BENCHMARK(BM_MillionBlankLines)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Importing 20,000 words: from CSV (target under 0.5 s) and from the
// installed EDICT dictionary (target under 1 s).
void BM_Import(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "kelvora-bench-import";
    std::filesystem::create_directories(dir);
    import::Request request;
    request.folder = dir;
    request.name = "imported";
    request.force = true;
    if (state.range(0) == 0) {
        std::string csv = "word,meaning\n";
        for (int i = 20000; i > 0; --i) csv += Word(i) + ",\"意味" + std::to_string(i) + "、説明\"\n";
        request.source = dir / "list.csv";
        std::ofstream(request.source, std::ios::binary) << csv;
        state.SetLabel("CSV, 20,000 words");
    } else {
        if (!std::filesystem::exists(import::kEdictFile)) {
            state.SkipWithError("the edict package is not installed");
            return;
        }
        request.edictWords = 20000;
        state.SetLabel("EDICT, 20,000 words");
    }
    for (auto _ : state) {
        const import::Outcome o = import::Run(request);
        if (o.written != 20000) state.SkipWithError(o.summary.c_str());
    }
}
BENCHMARK(BM_Import)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora::bench

BENCHMARK_MAIN();
