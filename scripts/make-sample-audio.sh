#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the sample pronunciations in data/sample from text: each word or
# sentence is spoken by espeak-ng into a slot of fixed length, the slots are
# joined into one file and encoded with lame at 64 kbit/s (high enough for
# the encoder-delay tag, so sections start where they should). The word and
# test databases name sections of these files: word k of words.mp3 is
# "words 2k 2", sentence k of sentences.mp3 is "sentences 5k 5".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/data/sample"
if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
for tool in espeak-ng sox lame; do
  if ! command -v "$tool" >/dev/null; then
    "${SUDO[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -q --no-install-recommends espeak-ng sox lame
    break
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# make_file NAME SLOT_SECONDS TEXT...
make_file() {
  local name="$1" slot="$2"
  shift 2
  local slots=() i=0
  for text in "$@"; do
    espeak-ng -v en-us -s 140 -w "$work/raw$i.wav" "$text"
    # A tenth of a second of lead-in, then silence up to the slot's length.
    sox "$work/raw$i.wav" -r 22050 -c 1 "$work/lead$i.wav" pad 0.1 0
    sox "$work/lead$i.wav" "$work/slot$i.wav" pad 0 "$slot" trim 0 "$slot"
    slots+=("$work/slot$i.wav")
    i=$((i + 1))
  done
  sox "${slots[@]}" "$work/$name.wav"
  lame --quiet -b 64 --tt "Kelvora $name" --ta "Kelvora" "$work/$name.wav" "$out/$name.mp3"
}

make_file words 2 apple bank book cat dog egg house water
make_file sentences 5 \
  "She has lived in Osaka since 2015." \
  "The report must be finished by Friday." \
  "If it rains tomorrow, the picnic will be cancelled."
echo "wrote $out/words.mp3 and $out/sentences.mp3"
