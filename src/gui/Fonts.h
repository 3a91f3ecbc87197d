// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QString>

#include "platform/Controls.h"

namespace kelvora::gui {

// Maps the two font names the windows ask for onto installed twins.
void InstallFontSubstitutions();
QFont ToQFont(const FontSpec& spec);
QString ToQt(const std::string& text);          // CR LF becomes a plain line break
std::string FromQt(const QString& text);        // and back

}  // namespace kelvora::gui
