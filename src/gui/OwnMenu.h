// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own menu, as its context menu and on shortcuts the
// hidden menu does not use: "Import a word list…" (Ctrl+Shift+I),
// "Progress…" (Ctrl+Shift+P), "Words…" (Ctrl+Shift+W), "Speak words without a recording"
// (Ctrl+Shift+S, a check item), "Say the word again" (Ctrl+Shift+R) and the
// "Time limit" submenu, a check item for each pace and "Next time limit"
// (Ctrl+Shift+T).
#include <QLibrary>
#include <QObject>
#include <QPointer>
#include <QString>

#include "Program.h"

#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace kelvora::gui {

class Gui;

class OwnMenu : public QObject {
public:
    OwnMenu(Gui& gui, Program& program);

    void ImportWordList();
    void ShowProgress();
    void ShowWords();
    void SpeakWords(bool on);
    void SayAgain();
    // The speech item as the program has it: on or off, or unavailable and
    // why. Asked when the menu opens (it may load the speech engine).
    void RefreshSpeechItem();
    QAction* speechItem() const { return speech_; }
    // The check items as the program's own settings have them: at load and
    // after every change.
    void Sync();
    void SetTimeScale(int scale);
    void NextTimeScale();
    QMenu* paceMenu() const { return pace_; }
    // Where the Progress window's library is; loaded at its first opening.
    QString progressLibrary;
    // The same for the Words window's.
    QString wordsLibrary;

private:
    QAction* AddAction(const QString& text, const char* name, const char* shortcut, void (OwnMenu::*slot)());

    Gui& gui_;
    Program& program_;
    QAction* speech_ = nullptr;
    QMenu* pace_ = nullptr;
    std::vector<std::pair<int, QAction*>> paceItems_;
    QLibrary progress_;
    QLibrary words_;
    QPointer<QWidget> wordsWindow_;
};

}  // namespace kelvora::gui
