// SPDX-License-Identifier: GPL-3.0-or-later
#include "Announcer.h"

#include <QAccessible>
#include <QApplication>

namespace kelvora::gui {

Announcer::Announcer(const Program& program, FormWindow& mainWindow, FormWindow& commentWindow)
    : program_(program), main_(mainWindow), comment_(commentWindow) {}

void Announcer::Update() {
    const Announcement& a = program_.announcement;
    if (a.serial == said_) return;
    said_ = a.serial;
    if (a.kind == Announcement::Kind::Question) {
        QAccessibleEvent changed(&main_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
        emit announced(main_.accessibleDescription());
    } else if (a.kind == Announcement::Kind::Verdict) {
        QWidget* verdict = comment_.widget(program_.Form2.Label1);
        QAccessibleEvent named(verdict, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent alert(verdict, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
        emit announced(verdict->accessibleName());
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == &main_) {
        // Taken again, so that the reader speaks the window's description.
        if (focus == &main_) main_.clearFocus();
        main_.setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kelvora::gui
