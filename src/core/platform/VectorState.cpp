// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/VectorState.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace kelvora {
namespace {

__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }

}  // namespace

void ClearUpperVectorState() {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) ZeroUpper();
}

}  // namespace kelvora
#else
namespace kelvora {
void ClearUpperVectorState() {}
}  // namespace kelvora
#endif
