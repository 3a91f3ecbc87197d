// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchmarkHooks.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QPlainTextEdit>
#include <QTimer>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Gui.h"
#include "OwnMenu.h"

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

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

// For the benchmarks: `afterMs` after the windows show, the Words window
// opens; the program prints how long until its table is painted, each
// keystroke of a find until the table is painted again, a sort by a
// column, and how much memory the open window added, then leaves.
void TimeWordsWindow(gui::Gui& gui, int afterMs) {
    QTimer::singleShot(afterMs, &gui, [&gui] {
        const long before = ResidentKb();
        const long heapBefore = static_cast<long>(mallinfo2().uordblks);
        QElapsedTimer clock;
        clock.start();
        gui.menu().ShowWords();
        QWidget* window = gui.form1().findChild<QWidget*>(QStringLiteral("words"));
        auto* table = window ? window->findChild<QTableView*>(QStringLiteral("table")) : nullptr;
        auto* find = window ? window->findChild<QLineEdit*>(QStringLiteral("find")) : nullptr;
        if (!table || !find) return QCoreApplication::exit(1);
        // Painted: the window's events, its paint among them, all done.
        auto painted = [&] {
            table->viewport()->repaint();
            QCoreApplication::processEvents();
            return static_cast<double>(clock.nsecsElapsed()) / 1e6;
        };
        std::printf("words window: %d rows shown after %.1f ms\n", table->model()->rowCount(), painted());
        // Forty keystrokes: "word1234" typed five times over.
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            find->clear();
            for (const char c : std::string("word1234")) {
                clock.restart();
                find->insert(QString(QChar::fromLatin1(c)));
                times.push_back(painted());
            }
        }
        std::sort(times.begin(), times.end());
        std::printf("find, 40 keystrokes: median %.1f ms, 90th percentile %.1f ms, slowest %.1f ms (%d rows shown)\n",
                    times[20], times[36], times.back(), table->model()->rowCount());
        find->clear();
        double slowestSort = 0;
        for (int column : {0, 1, 3, 9, 10}) {
            clock.restart();
            table->horizontalHeader()->setSortIndicator(column, Qt::DescendingOrder);
            slowestSort = std::max(slowestSort, painted());
        }
        std::printf("sort, slowest of 5 columns: %.1f ms\n", slowestSort);
        // A word marked, then saved by the window's own actions.
        QAction *mark = nullptr, *save = nullptr;
        for (QAction* a : window->actions()) {
            if (a->text() == QStringLiteral("Mark")) mark = a;
            if (a->text() == QStringLiteral("Save")) save = a;
        }
        if (mark && save) {
            table->setCurrentIndex(table->model()->index(0, 0));
            mark->trigger();
            clock.restart();
            save->trigger();
            std::printf("save of a marked word (database, record, history): %.1f ms to the repaint%s\n", painted(),
                        save->isEnabled() ? " (NOT SAVED)" : "");
        }
        std::printf("the open window added %ld MB (heap %ld MB)\n", (ResidentKb() - before) / 1024, (static_cast<long>(mallinfo2().uordblks) - heapBefore) >> 20);
        std::fflush(stdout);
        QCoreApplication::exit(0);
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
    if (bool ok = false; qEnvironmentVariableIsSet("KELVORA_BENCH_WORDS_AFTER_MS"))
        TimeWordsWindow(gui, qEnvironmentVariableIntValue("KELVORA_BENCH_WORDS_AFTER_MS", &ok));
}

}  // namespace kelvora::app
