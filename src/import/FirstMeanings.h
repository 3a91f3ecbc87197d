// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first meaning of the common words whose usual sense comes out wrong
// from EDICT's order and Wiktionary's translations, read by hand.
#include <string_view>
#include <unordered_map>

namespace kelvora::import {

// Each such word with its first meaning.
const std::unordered_map<std::string_view, std::string_view>& FirstMeanings();

// The word's first meaning, or "" for a word not in the list.
std::string_view FirstMeaning(std::string_view word);

}  // namespace kelvora::import
