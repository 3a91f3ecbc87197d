// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the windows stand on the screen.
class QWidget;

namespace kelvora::gui {

// Moves a window so that its whole frame, title bar first, is on the
// screen it is on.
void KeepOnScreen(QWidget& w);

// `window` beside `main`'s frame, tops level: on the right, or on the left
// where the screen has no room on the right.
void PlaceBeside(QWidget& window, QWidget& main);

// `dialog` over `main`, a little below its title, where the learner's eyes
// already are.
void PlaceOver(QWidget& dialog, QWidget& main);

}  // namespace kelvora::gui
