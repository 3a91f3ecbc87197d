#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Kelvora needs, builds it and runs it on the bundled sample
# data. The data lives in a per-user folder, seeded from data/sample once
# (files already there are never overwritten); the build goes to the user's
# cache folder, so nothing is written into the repository.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELVORA_BUILD_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvora/build}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo "; fi
  echo "Kelvora needs a display and none is set (DISPLAY is empty); on a machine without one run: ${sudo}apt-get update && ${sudo}apt-get install -y xvfb xauth && xvfb-run -a $0" >&2
  exit 1
fi

"$root/scripts/install-deps.sh" run
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVORA_TESTS=OFF >/dev/null
cmake --build "$build"

# The learner's own data folder, seeded with the samples the first time
# (a file already there is never overwritten).
if [ -n "${KELVORA_DATA_DIR:-}" ]; then
  exec "$build/bin/kelvora" --data-dir "$KELVORA_DATA_DIR"
fi
exec "$build/bin/kelvora" --user
