// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchmarkHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "Gui.h"

namespace kelvora::app {

namespace {

// For the benchmarks: `afterMs` after the windows show, Start is pressed;
// once the question is painted the program prints how long that took and
// the longest the window went without answering meanwhile, then leaves.
void TimeStartToQuestion(gui::Gui& gui, int afterMs) {
    struct Watch : QObject {
        QElapsedTimer sinceClick, sinceTick;
        qint64 longestGap = 0;
        QTimer ticks;
        bool clicked = false;
        QPlainTextEdit* question = nullptr;
        QString before;  // the question box before the click
        bool eventFilter(QObject*, QEvent* e) override {
            if (clicked && e->type() == QEvent::Paint && question->toPlainText() != before) {
                std::printf("start to question: %.1f ms; longest the window did not answer: %lld ms\n",
                            static_cast<double>(sinceClick.nsecsElapsed()) / 1e6,
                            static_cast<long long>(std::max(longestGap, sinceTick.elapsed())));
                std::fflush(stdout);
                QCoreApplication::exit(0);
                clicked = false;
            }
            return false;
        }
    };
    auto* watch = new Watch;
    watch->setParent(&gui);
    watch->question = qobject_cast<QPlainTextEdit*>(gui.form1().widget("Text1"));
    if (!watch->question) return;
    watch->question->viewport()->installEventFilter(watch);
    QObject::connect(&watch->ticks, &QTimer::timeout, watch, [watch] {
        watch->longestGap = std::max(watch->longestGap, watch->sinceTick.restart());
    });
    QTimer::singleShot(afterMs, watch, [watch, &gui] {
        watch->sinceTick.start();
        watch->ticks.start(2);
        watch->sinceClick.start();
        watch->before = watch->question->toPlainText();
        watch->clicked = true;
        if (auto* start = qobject_cast<QAbstractButton*>(gui.form1().widget("Command7"))) start->click();
    });
}

// Leaves as soon as the windows are up and the event loop answers, saying
// when that was (since the moment in KELVORA_STARTED_NS, nanoseconds of the
// system clock, if given).
void ExitWhenShown() {
    SayReadyTime();
    QCoreApplication::exit(0);
}

}  // namespace

void InstallBenchmarkHooks(gui::Gui& gui) {
    if (qEnvironmentVariableIsSet("KELVORA_EXIT_WHEN_SHOWN")) QTimer::singleShot(0, qApp, ExitWhenShown);
    if (bool ok = false; qEnvironmentVariableIsSet("KELVORA_BENCH_START_AFTER_MS"))
        TimeStartToQuestion(gui, qEnvironmentVariableIntValue("KELVORA_BENCH_START_AFTER_MS", &ok));
}

}  // namespace kelvora::app
