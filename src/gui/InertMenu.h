// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Controls.h"

class QWidget;

namespace kelvora::gui {

// The main window's inert menu: it owns the Ctrl+letter shortcuts and does
// nothing with them. It stays off the menu bar, and text boxes keep their
// own Ctrl+C, Ctrl+V and the like. The window owns the actions.
void AddInertMenu(QWidget& window, const Form1Model& model);

}  // namespace kelvora::gui
