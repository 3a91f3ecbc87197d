// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 21 parameters as text: comma-separated, six decimals at most.
#include <optional>
#include <string>

#include "memory/Fsrs.h"

namespace kelvora {

std::string ParametersText(const fsrs::Parameters& w);
// Nothing unless the text holds exactly 21 finite numbers.
std::optional<fsrs::Parameters> ParseParameters(const std::string& text);

}  // namespace kelvora
