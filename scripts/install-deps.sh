#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Kelvora needs, by what is to be done:
#   run      build and run the program (the default)
#   package  also build and check the Debian package
#   test     also build and run every test, the fuzz targets and benchmarks
# Safe to run again; uses sudo only when not already root, and without
# either says in one line what to install.
set -euo pipefail

profile="${1:-run}"
RUN=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libmpg123-dev mpg123 libespeak-ng-dev
  libsqlite3-dev qt6-charts-dev libqt6opengl6-dev zlib1g-dev
  fonts-ipafont-gothic
)
PACKAGE=(dpkg-dev desktop-file-utils appstream lintian)
TEST=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  lame xvfb xauth time espeak-ng tzdata
  scowl wordnet-base edict dict-freedict-eng-jpn
)
case "$profile" in
  run) PACKAGES=("${RUN[@]}") ;;
  package) PACKAGES=("${RUN[@]}" "${PACKAGE[@]}") ;;
  test) PACKAGES=("${RUN[@]}" "${PACKAGE[@]}" "${TEST[@]}") ;;
  *) echo "usage: $0 [run|package|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "Kelvora needs these Debian packages and cannot install them without root or sudo; as root, run: apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
