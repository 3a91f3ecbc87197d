// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What scripts/bench.sh asks of the real program through its environment:
// KELVORA_EXIT_WHEN_SHOWN leaves as soon as the windows are up (printing
// how long that took since KELVORA_STARTED_NS); KELVORA_BENCH_START_AFTER_MS
// presses Start that long after they show and prints the time to the
// question's paint and the longest the window went without answering.
namespace kelvora::gui {
class Gui;
}

namespace kelvora::app {

void InstallBenchmarkHooks(gui::Gui& gui);

}  // namespace kelvora::app
