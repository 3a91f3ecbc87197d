// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/ChoiceDraw.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

std::array<int, 4> DrawChoiceRows(const ChoiceDraw& in, Random& rng) {
    const int q = in.askedRow;
    const int last = in.bankSize - 1;
    std::array<int, 4> slots{};
    // The rows no later slot may take: the question's and those on earlier
    // buttons, each once.
    std::array<int, 5> taken{q};
    std::size_t takenCount = 1;
    auto isTaken = [&](int row) { return std::find(taken.begin(), taken.begin() + takenCount, row) != taken.begin() + takenCount; };
    auto freeRows = [&](int lo, int hi) {
        int n = hi - lo + 1;
        for (std::size_t i = 0; i < takenCount; ++i) n -= taken[i] >= lo && taken[i] <= hi;
        return n;
    };

    for (int k = 0; k < 4; ++k) {
        auto& slot = slots[static_cast<std::size_t>(k)];
        int lo = 0, hi = last;
        if (in.nearby) {
            lo = q < 3 ? 0 : q - 2;
            hi = std::min(q + 4, last);
        }
        int free = freeRows(lo, hi);
        if (free == 0 && k == in.correctSlot) {
            slot = q;  // its draw would be replaced anyway
            continue;
        }
        bool widened = false;
        while (free == 0 && (lo > 0 || hi < last)) {
            lo = std::max(0, lo - 1);
            hi = std::min(last, hi + 1);
            widened = true;
            free = freeRows(lo, hi);
        }
        int row = q;
        if (free > 0) {
            do {
                row = in.nearby || widened ? static_cast<int>(std::floor(lo + (hi - lo + 1) * rng.Next()))
                                           : rng.Below(in.bankSize);
            } while (isTaken(row));
        } else if (in.bankSize > 1) {
            // Fewer than five words: a wrong choice appears twice.
            do row = rng.Below(in.bankSize);
            while (row == q);
        }
        slot = k == in.correctSlot ? q : row;
        if (!isTaken(slot)) taken[takenCount++] = slot;
    }
    return slots;
}

}  // namespace kelvora
