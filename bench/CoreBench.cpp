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
#include "run/Run.h"

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
        l.p.m.QuizState = 1;
        ChooseAnswer(l.p, 1);
    }
}
BENCHMARK(BM_JudgeAnswer)->Unit(benchmark::kMicrosecond);

void BM_StatisticsReport(benchmark::State& state) {
    Loaded l(static_cast<int>(state.range(0)));
    for (auto _ : state) form1::Command9_Click(l.p);
}
BENCHMARK(BM_StatisticsReport)->Arg(1000)->Arg(5000)->Arg(20001)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvora::bench

BENCHMARK_MAIN();
