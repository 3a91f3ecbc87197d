// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Random.h"

#include <cstring>

namespace kelvora {

void Random::Seed(double seed) {
    seed_ = seed;
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    state_ = bits ^ 0x9E3779B97F4A7C15ULL;
}

double Random::Next() {
    if (!scripted_.empty()) {
        const double d = scripted_.front();
        scripted_.pop_front();
        return d;
    }
    // splitmix64: small, fast and well spread; 53 bits make a double in [0, 1).
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace kelvora
