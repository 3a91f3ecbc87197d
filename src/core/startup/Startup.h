// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"
#include "Version.h"

namespace kelvora {

// The window caption: the program's name and version.
inline const std::string kMainCaption = std::string("Kelvora  Ver") + kVersion;
inline const char* const kPlayerLibraryFile = "libvbmp3.so";

// Start-up: the player library, the settings, both banks with their
// learning records and, with Auto FIX patch, the fix patch. Any failure is
// shown and ends the program.
void LoadProgram(Program& p);

// Stops and frees the player library, each call whatever the one before did.
void ShutDownPlayer(Program& p);

}  // namespace kelvora
