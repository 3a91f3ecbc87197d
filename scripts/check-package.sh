#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it: the files it installs (and
# nothing from a build tree), the desktop file and AppStream metadata as
# installed, lintian, and --help and --version of the packaged program
# without a display.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/package.sh >/dev/null
deb="$(ls dist/kelvora_*_amd64.deb | tail -1)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

fail=0
for f in usr/bin/kelvora usr/lib/x86_64-linux-gnu/kelvora/libvbmp3.so usr/lib/x86_64-linux-gnu/kelvora/libkelvora_progress.so \
         usr/share/applications/org.kelvora.Kelvora.desktop usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/kelvora.svg usr/share/icons/hicolor/48x48/apps/kelvora.png \
         usr/share/icons/hicolor/256x256/apps/kelvora.png usr/share/man/man1/kelvora.1.gz \
         usr/share/doc/kelvora/copyright usr/share/doc/kelvora/changelog.gz \
         usr/share/kelvora/sample/qbx.txt usr/share/kelvora/sample/eword.txt usr/share/kelvora/sample/words.mp3; do
  [ -f "$tree/$f" ] || { echo "package: $f is missing"; fail=1; }
done
if dpkg-deb -c "$deb" | grep -E 'CMakeFiles|build-|\.a$|_tests|/include/'; then
  echo "package: holds files of a build tree"
  fail=1
fi
desktop-file-validate "$tree/usr/share/applications/org.kelvora.Kelvora.desktop" || fail=1
appstreamcli validate --no-net "$tree/usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml" >/dev/null || {
  appstreamcli validate --no-net "$tree/usr/share/metainfo/org.kelvora.Kelvora.metainfo.xml"
  fail=1
}
errors="$(lintian --suppress-tags national-encoding "$deb" 2>/dev/null | grep '^E:' || true)"
[ -z "$errors" ] || { echo "$errors"; fail=1; }
# The packaged program answers without a display, and finds nothing of the build tree.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tree/usr/bin/kelvora" --version | grep -qx 'Kelvora [0-9.]*' || fail=1
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tree/usr/bin/kelvora" --help | grep -q -- '--data-dir DIR' || fail=1
# Speech is recommended, never required: the engine is loaded at run time.
for p in libespeak-ng1 scowl wordnet-base edict; do dpkg-deb -f "$deb" Recommends | grep -q "\b$p\b" || { echo "package: does not recommend $p"; fail=1; }; done
if dpkg-deb -f "$deb" Depends | grep -q espeak; then echo "package: depends on espeak"; fail=1; fi
[ "$fail" -eq 0 ] || { echo "package check: FAILED"; exit 1; }
echo "package check: $(basename "$deb") holds what it should and passes desktop-file-validate, appstreamcli and lintian"
