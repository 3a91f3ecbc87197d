// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Int16.h"

#include <cmath>

namespace kelvora {

Int16 Int16::FromWide(long long v) {
    if (v < -32768 || v > 32767) throw Overflow16();
    return Int16(static_cast<std::int16_t>(v));
}

Int16 Int16::FromNumber(double v) {
    if (!std::isfinite(v)) throw Overflow16();
    const double r = std::nearbyint(v);  // default rounding mode: half to even
    if (r < -32768.0 || r > 32767.0) throw Overflow16();
    return Int16(static_cast<std::int16_t>(r));
}

}  // namespace kelvora
