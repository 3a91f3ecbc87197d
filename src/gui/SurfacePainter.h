// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPainter>

#include "platform/Surface.h"

namespace kelvora::gui {

// Replays a display list: text flows from the top left corner, each line
// as high as the font in force when it ends.
void PaintSurface(QPainter& painter, const Surface& surface);

}  // namespace kelvora::gui
