// SPDX-License-Identifier: GPL-3.0-or-later
#include "InertMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace kelvora::gui {

void AddInertMenu(QWidget& window, const Form1Model& model) {
    for (const MenuItem& item : model.menu) {
        auto* action = new QAction(QString::fromStdString(item.caption), &window);
        action->setObjectName(QString::fromStdString(model.menuName + "_" + item.name));
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
}

}  // namespace kelvora::gui
