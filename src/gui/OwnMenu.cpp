// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

#include <algorithm>
#include <iterator>

#include "CheckItems.h"

#include "Events.h"
#include "Words.h"
#include "Gui.h"
#include "ImportDialog.h"
#include "Progress.h"

namespace kelvora::gui {

OwnMenu::OwnMenu(Gui& gui, Program& program) : gui_(gui), program_(program) {
    QWidget& window = gui_.form1();
    speech_ = new QAction(QStringLiteral("Speak words without a recording"), &window);
    speech_->setObjectName(QStringLiteral("speakWords"));
    MakeCheckItem(*speech_);
    speech_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    speech_->setShortcutContext(Qt::WindowShortcut);
    connect(speech_, &QAction::triggered, this, &OwnMenu::SpeakWords);
    window.addAction(speech_);
    QList<QAction*> items = {
        AddAction(QStringLiteral("Import a word list…"), "importWordList", "Ctrl+Shift+I", &OwnMenu::ImportWordList),
        AddAction(QStringLiteral("Progress…"), "progress", "Ctrl+Shift+P", &OwnMenu::ShowProgress),
        AddAction(QStringLiteral("Words…"), "words", "Ctrl+Shift+W", &OwnMenu::ShowWords),
        speech_,
        AddAction(QStringLiteral("Say the word again"), "sayAgain", "Ctrl+Shift+R", &OwnMenu::SayAgain),
    };
    // The pace: a submenu of check items, and a shortcut to the next one.
    pace_ = new QMenu(QStringLiteral("Time limit"), &window);
    pace_->setObjectName(QStringLiteral("timeLimit"));
    auto* group = new QActionGroup(pace_);
    const std::pair<int, const char*> paces[] = {{1, "Usual time limit"},
                                                 {2, "Twice the time"},
                                                 {5, "Five times the time"},
                                                 {10, "Ten times the time"},
                                                 {kNoTimeLimit, "No time limit"}};
    for (const auto& [scale, text] : paces) {
        QAction* item = pace_->addAction(QString::fromUtf8(text));
        item->setObjectName(scale == kNoTimeLimit ? QStringLiteral("noTimeLimit") : QStringLiteral("timeScale%1").arg(scale));
        MakeCheckItem(*item);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, scale = scale] { SetTimeScale(scale); });
        paceItems_.push_back({scale, item});
    }
    pace_->addSeparator();
    pace_->addAction(AddAction(QStringLiteral("Next time limit"), "nextTimeLimit", "Ctrl+Shift+T", &OwnMenu::NextTimeScale));
    window.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window, &QWidget::customContextMenuRequested, this, [this, &window, items](const QPoint& at) {
        RefreshSpeechItem();
        QMenu menu(&window);
        menu.setToolTipsVisible(true);
        menu.addActions(items);
        menu.addMenu(pace_);
        menu.exec(window.mapToGlobal(at));
    });
}

void OwnMenu::Sync() {
    speech_->setChecked(program_.own.speakWords);
    for (const auto& [scale, item] : paceItems_) item->setChecked(scale == program_.own.timeScale);
}

void OwnMenu::SetTimeScale(int scale) {
    gui_.Dispatch([scale](Program& p) { form1::Menu_TimeScale(p, scale); });
    Sync();
}

void OwnMenu::NextTimeScale() {
    const auto now = std::find(std::begin(kTimeScales), std::end(kTimeScales), program_.own.timeScale);
    const auto next = now == std::end(kTimeScales) || now + 1 == std::end(kTimeScales) ? std::begin(kTimeScales) : now + 1;
    SetTimeScale(*next);
}

void OwnMenu::RefreshSpeechItem() {
    form1::SpeechItem item;
    if (!gui_.Dispatch([&](Program& p) { item = form1::Menu_SpeechItem(p); })) return;
    const QString why = QString::fromStdString(item.why);
    speech_->setEnabled(item.available);
    speech_->setChecked(item.on);
    speech_->setText(item.available ? QStringLiteral("Speak words without a recording")
                                    : QStringLiteral("Speak words without a recording (unavailable: %1)").arg(why));
    speech_->setToolTip(item.available ? QStringLiteral("Words with no recording are spoken by espeak-ng") : why);
    speech_->setStatusTip(speech_->toolTip());
}

void OwnMenu::SpeakWords(bool on) {
    RefreshSpeechItem();
    if (!speech_->isEnabled()) {
        QMessageBox::information(&gui_.form1(), QStringLiteral("Kelvora"),
                                 QStringLiteral("Kelvora cannot speak words: %1.").arg(speech_->toolTip()));
        return;
    }
    gui_.Dispatch([on](Program& p) { form1::Menu_SpeakWords(p, on); });
    RefreshSpeechItem();
    Sync();
}

void OwnMenu::SayAgain() { gui_.Dispatch(form1::Menu_SayAgain); }

QAction* OwnMenu::AddAction(const QString& text, const char* name, const char* shortcut, void (OwnMenu::*slot)()) {
    QWidget& window = gui_.form1();
    auto* action = new QAction(text, &window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    window.addAction(action);
    return action;
}

// The program waits meanwhile, as it does for a message box.
void OwnMenu::ImportWordList() {
    if (gui_.Busy()) return;
    std::optional<std::string> drill;
    gui_.WhileBusy([&] { drill = RunImportDialog(&gui_.form1(), program_.dir); });
    if (drill) gui_.Dispatch([&](Program& p) { form1::Menu_DrillWordDatabase(p, *drill); });
}

// The charts of the history, in a window of their own. Their library (and
// Qt Charts with it) is loaded here, the first time, never at start-up.
void OwnMenu::ShowProgress() {
    if (gui_.Busy()) return;
    if (!progress_.isLoaded()) progress_.setFileName(progressLibrary);
    const auto make = reinterpret_cast<progress::MakeWindow>(progress_.resolve(progress::kMakeWindowSymbol));
    QWidget* parent = &gui_.form1();
    if (!make) {
        QMessageBox::warning(parent, QStringLiteral("Kelvora"),
                             QStringLiteral("The Progress window cannot open: its library %1 is missing or damaged "
                                            "(%2). Reinstall Kelvora.")
                                 .arg(progressLibrary, progress_.errorString()));
        return;
    }
    ProgressData data;
    gui_.Dispatch([&](Program& p) { data = form1::Menu_Progress(p); });
    if (!data.historyProblem.empty())
        QMessageBox::warning(parent, QStringLiteral("Kelvora"),
                             QStringLiteral("The history (history.sqlite3) cannot be read: %1.\nThe charts show "
                                            "today's word scores only; the drill and the learning records work as "
                                            "before.")
                                 .arg(QString::fromStdString(data.historyProblem)));
    QWidget* window = make(data, parent);
    window->show();
    window->raise();
}

// The word table, in a window of its own; its library is loaded here, the
// first time. One window: the menu item brings it forward.
void OwnMenu::ShowWords() {
    if (wordsWindow_) {
        wordsWindow_->show();
        wordsWindow_->raise();
        wordsWindow_->activateWindow();
        return;
    }
    if (gui_.Busy()) return;
    if (!words_.isLoaded()) words_.setFileName(wordsLibrary);
    const auto make = reinterpret_cast<words::MakeWindow>(words_.resolve(words::kMakeWindowSymbol));
    if (!make) {
        QMessageBox::warning(&gui_.form1(), QStringLiteral("Kelvora"),
                             QStringLiteral("The Words window cannot open: its library %1 is missing or damaged "
                                            "(%2). Reinstall Kelvora.")
                                 .arg(wordsLibrary, words_.errorString()));
        return;
    }
    words::WindowHost host;
    host.program = &program_;
    host.run = [this](const std::function<void(Program&)>& work) {
        if (gui_.Busy()) return false;
        bool ran = false;
        gui_.Dispatch([&](Program& p) {
            ran = true;
            work(p);
        });
        return ran;
    };
    host.whenProgramEnds = [this](QWidget* window, std::function<void()> then) {
        connect(&gui_, &Gui::programEnded, window, std::move(then));
    };
    wordsWindow_ = make(host, &gui_.form1());
    wordsWindow_->show();
    wordsWindow_->raise();
    wordsWindow_->activateWindow();
}

}  // namespace kelvora::gui
