#!/usr/bin/env bash
# Installs what Kelvora needs, builds everything and runs every test: the
# whole suite, then the core's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target for a few seconds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVORA_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure

# Keep the fuzz targets alive: a short run of each from its seed corpus.
scripts/fuzz.sh "${KELVORA_FUZZ_SECONDS:-3}"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVORA_SANITIZE=ON -DKELVORA_WERROR=ON -DKELVORA_GUI=OFF -DKELVORA_PLAYER=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure
