// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of start-up: the least a Qt program with Kelvora's look does
// before its window shows, a window with a Japanese question and four
// answer boxes in the same fonts. scripts/bench.sh times it beside Kelvora,
// each leaving as soon as its window is up.
#include <QApplication>

#include <chrono>
#include <cstdio>

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "BenchmarkHooks.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic")});
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    auto* layout = new QVBoxLayout(&window);
    auto* question = new QLabel(QString::fromUtf8("問題\n\n下のstartボタンを押すと\n開始します"));
    question->setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 12, QFont::Bold));
    layout->addWidget(question);
    for (const char* text : {"この選択肢の", "中から", "解答を選択して", "←該当のボタンを押す"}) {
        auto* box = new QLineEdit(QString::fromUtf8(text));
        box->setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 11));
        layout->addWidget(box);
    }
    window.resize(308, 310);
    window.show();
    // Ready as Kelvora is: the window mapped and exposed, the event loop
    // running.
    while (!window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    QTimer::singleShot(0, &app, [] {
        kelvora::app::SayReadyTime();
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
