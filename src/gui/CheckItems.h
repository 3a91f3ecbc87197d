// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu's check items as a screen reader should know them: switches, on or
// off, not plain menu items that say "checked" only when they are on.
class QAction;

namespace kelvora::gui {

// Makes a checkable action of the program's own menu a check item to
// assistive tools, wherever a menu shows it.
void MakeCheckItem(QAction& action);

}  // namespace kelvora::gui
