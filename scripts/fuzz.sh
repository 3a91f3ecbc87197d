#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs each one for the given seconds (default 60) from the
# seed corpus in fuzz/corpus. New inputs go to a scratch folder, not into
# the repository. A crash stops the script with the target's report and
# leaves the input in build-fuzz/findings.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
cd "$root"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVORA_FUZZ=ON -DKELVORA_GUI=OFF -DKELVORA_PLAYER=OFF -DKELVORA_TESTS=OFF >/dev/null
cmake --build "$build"

findings="$build/findings"
mkdir -p "$findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for seeds in fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  mkdir -p "$work/$name"
  echo "fuzz_$name: ${seconds}s"
  "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -artifact_prefix="$findings/$name-" -print_final_stats=0 "$work/$name" "$seeds" 2>"$work/$name.log" || {
      cat "$work/$name.log" >&2
      echo "fuzz_$name found a problem; the input is in $findings" >&2
      exit 1
    }
  grep -E '^Done|^#[0-9]+ +DONE' "$work/$name.log" | tail -1 || true
done
echo "fuzzing: every target ran ${seconds}s without a finding"
