// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnMenu.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "Events.h"
#include "Gui.h"
#include "ImportDialog.h"
#include "Progress.h"

namespace kelvora::gui {

OwnMenu::OwnMenu(Gui& gui, Program& program) : gui_(gui), program_(program) {
    QWidget& window = gui_.form1();
    QList<QAction*> items = {
        AddAction(QStringLiteral("Import a word list…"), "importWordList", "Ctrl+Shift+I", &OwnMenu::ImportWordList),
        AddAction(QStringLiteral("Progress…"), "progress", "Ctrl+Shift+P", &OwnMenu::ShowProgress),
    };
    window.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window, &QWidget::customContextMenuRequested, this, [&window, items](const QPoint& at) {
        QMenu menu(&window);
        menu.addActions(items);
        menu.exec(window.mapToGlobal(at));
    });
}

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

}  // namespace kelvora::gui
