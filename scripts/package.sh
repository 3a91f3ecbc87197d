#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dist/kelvora_<version>_amd64.deb: a Release
# build in build-package/, packed by CPack with the dependencies computed
# from the binaries. Installs what building it needs first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-package"
cd "$root"
scripts/install-deps.sh package

rm -rf "$build"
# Debian's own compiler flags, with every hardening option.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS" LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF -DKELVORA_FUZZ=OFF >/dev/null
cmake --build "$build"
mkdir -p dist
(cd "$build" && cpack -G DEB >/dev/null)
ls dist/kelvora_*_amd64.deb
