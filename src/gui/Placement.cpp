// SPDX-License-Identifier: GPL-3.0-or-later
#include "Placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kelvora::gui {

void KeepOnScreen(QWidget& w) {
    const QScreen* screen = w.screen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    const int x = std::clamp(frame.left(), avail.left(), std::max(avail.left(), avail.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft()) w.move(x, y);
}

void PlaceBeside(QWidget& window, QWidget& main) {
    KeepOnScreen(main);
    const QRect frame = main.frameGeometry();
    const int width = window.frameGeometry().width();
    QPoint at(frame.right() + 1 + 8, frame.top());
    if (const QScreen* screen = main.screen(); screen && at.x() + width > screen->availableGeometry().right() + 1)
        at.setX(frame.left() - 8 - width);
    window.move(at);
    KeepOnScreen(window);
}

void PlaceOver(QWidget& dialog, QWidget& main) {
    dialog.move(main.frameGeometry().topLeft() + QPoint(24, 24));
    KeepOnScreen(dialog);
}

}  // namespace kelvora::gui
