// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What scripts/bench.sh asks of the real program through its environment:
// KELVORA_EXIT_WHEN_SHOWN leaves as soon as the windows are up (printing
// how long that took since KELVORA_STARTED_NS); KELVORA_BENCH_START_AFTER_MS
// presses Start that long after they show and prints the time to the
// question's paint and the longest the window went without answering;
// KELVORA_BENCH_WORDS_AFTER_MS opens the Words window that long after and
// prints the times to its paint, to a find's and a sort's repaint, and the
// memory it added.
#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <cstdio>

namespace kelvora::gui {
class Gui;
}

namespace kelvora::app {

void InstallBenchmarkHooks(gui::Gui& gui);

// Prints "ready after X ms" since the moment in KELVORA_STARTED_NS
// (nanoseconds of the system clock), if given: Kelvora and the floor
// window it is measured against say it the same way.
inline void SayReadyTime() {
    const QByteArray started = qgetenv("KELVORA_STARTED_NS");
    if (started.isEmpty()) return;
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch());
    std::printf("ready after %.1f ms\n", static_cast<double>(now.count() - started.toLongLong()) / 1e6);
    std::fflush(stdout);
}

}  // namespace kelvora::app
