// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The countdown as assistive tools read it: on demand, never announced.
// Its name holds the number it shows ("5 seconds left"), and its value and
// text are the number, read when asked; nothing is sent when it changes, so
// a screen reader does not speak every second.
class QWidget;

namespace kelvora::gui {

// Makes `label` the countdown (a QLabel); call before assistive tools first
// see it.
void MakeCountdown(QWidget& label);

}  // namespace kelvora::gui
