#!/usr/bin/env bash
# Installs what Kelvora needs, builds it and runs it on the bundled sample
# data. The data lives in a per-user folder, seeded from data/sample once
# (files already there are never overwritten); the build goes to the user's
# cache folder, so nothing is written into the repository.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELVORA_BUILD_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/kelvora/build}"
data="${KELVORA_DATA_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/kelvora}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kelvora needs a display and none is set (DISPLAY is empty); on a machine without one run: xvfb-run -a $0" >&2
  exit 1
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVORA_TESTS=OFF >/dev/null
cmake --build "$build"

mkdir -p "$data"
for f in "$root"/data/sample/*; do
  [ -e "$data/$(basename "$f")" ] || cp "$f" "$data/"
done

cd "$data"
exec "$build/bin/kelvora"
