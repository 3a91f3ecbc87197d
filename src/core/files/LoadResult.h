// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace kelvora {

// What a loader found wrong, in the words the learner is shown; empty when
// the load went well. The loader never ends the program: start-up decides.
struct [[nodiscard]] LoadResult {
    std::string failure;
    bool ok() const { return failure.empty(); }
    static LoadResult Failed(std::string message) { return {std::move(message)}; }
};

}  // namespace kelvora
