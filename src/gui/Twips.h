// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window units: 15 twips to a pixel at 96 dpi. Qt scales pixels to the
// screen from there.
#include <QRect>

#include "platform/Controls.h"

namespace kelvora::gui {

inline int Px(int twips) { return (twips * 2 + 15) / 30; }  // rounded
inline QRect PxRect(const Geometry& g) { return QRect(Px(g.left), Px(g.top), Px(g.width), Px(g.height)); }

}  // namespace kelvora::gui
