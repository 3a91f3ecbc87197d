// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a word is heard after its question is shown: from the call that
// speaks it to the first samples going out (the engine already loaded, as
// after the first question), through the output a learner's machine has.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "platform/SharedPlayerLibrary.h"

namespace kelvora::bench {
namespace {

void BM_SpeechStarts(benchmark::State& state) {
    SharedPlayerLibrary player(KELVORA_PLAYER_FILE);
    player.vbmp3_init();
    std::string why;
    if (!player.SpeechAvailable(&why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    const char* words[] = {"accident", "deliver", "discover", "usually", "price"};
    std::size_t i = 0;
    for (auto _ : state) {
        player.Speak(words[i++ % 5]);
        while (player.SpeechState() != 2) std::this_thread::yield();
        state.PauseTiming();
        while (player.SpeechState() != 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        state.ResumeTiming();
    }
    state.SetLabel("from Speak to the first samples out");
}
BENCHMARK(BM_SpeechStarts)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace kelvora::bench
