// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

#include "model/WordInfo.h"

namespace kelvora {

// Reads a bank's side file (UTF-8, "word<TAB>rank<TAB>part of speech<TAB>
// example" a line). A missing or unreadable file, or a line that is not
// such, gives nothing for it: the bank is then unranked, never wrong.
WordInfoMap ReadWordInfo(const std::filesystem::path& file);

}  // namespace kelvora
