// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnswerKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "Bindings.h"

namespace kelvora::gui {

AnswerKeys::AnswerKeys(QWidget& mainWindow, std::function<void(EventHandler)> dispatch)
    : main_(mainWindow), dispatch_(std::move(dispatch)) {
    qApp->installEventFilter(this);
}

AnswerKeys::~AnswerKeys() { qApp->removeEventFilter(this); }

bool AnswerKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &main_) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    int position = -1;
    if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_4) position = key->key() - Qt::Key_1;
    if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_D) position = key->key() - Qt::Key_A;
    if (position < 0) return QObject::eventFilter(watched, event);
    // Claim the key before any shortcut or text box sees it, then answer
    // once, on the press itself.
    event->accept();
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) dispatch_(kAnswerHandlers[position]);
    return true;
}

}  // namespace kelvora::gui
