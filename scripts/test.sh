#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Kelvora needs, builds everything and runs every test: the
# whole suite, the Debian package's checks, every fuzz target for a few
# seconds, then the core's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/install-deps.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVORA_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure

# The Debian package: its files, its metadata, lintian.
scripts/check-package.sh

# Keep the fuzz targets alive: a short run of each from its seed corpus.
scripts/fuzz.sh "${KELVORA_FUZZ_SECONDS:-3}"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVORA_SANITIZE=ON -DKELVORA_WERROR=ON -DKELVORA_GUI=OFF -DKELVORA_PLAYER=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure
