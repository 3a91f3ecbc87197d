// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiHost.h"

#include <QApplication>
#include <QMessageBox>
#include <QTime>

#include "Fonts.h"

namespace kelvora::gui {

void GuiHost::ShowMessage(const std::string& text) {
    QWidget* parent = beforeMessage ? beforeMessage() : nullptr;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelvora"), ToQt(text), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("KelvoraMessage"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (afterMessage) afterMessage();
}

void GuiHost::Beep() { QApplication::beep(); }

std::string GuiHost::TimeOfDay() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString(); }

}  // namespace kelvora::gui
