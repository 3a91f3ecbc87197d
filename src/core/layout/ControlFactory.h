// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small builders that keep the window layout tables readable.
#include <optional>
#include <string>

#include "platform/Controls.h"

namespace kelvora {

inline Control MakeControl(std::string name, ControlKind kind, std::string text, Geometry g,
                           std::optional<FontSpec> font, int tabIndex) {
    Control c;
    c.name = std::move(name);
    c.kind = kind;
    c.text = std::move(text);
    c.geometry = g;
    c.font = std::move(font);
    c.tabIndex = tabIndex;
    return c;
}

inline FontSpec Font(const char* name, double size, bool bold) { return FontSpec{name, size, bold, false}; }

}  // namespace kelvora
