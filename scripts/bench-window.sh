#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the learner sees, in the real program under an X server (run it
# under xvfb-run): start-up against the floor window (a Qt window with a
# Japanese question and four answer boxes in the same fonts), in
# interleaved rounds, each until its window is up and its event loop
# answers; then, with a history of 1,000,000 reviews in mode 5, Start to
# the first question's paint, pressed at once and a second after the
# window shows, with the longest the window went without answering.
# Arguments: the build folder, the data folder (with history.sqlite3).
set -euo pipefail
build="$1"
data="$2"
rounds="${ROUNDS:-40}"
cd "$data"
printf ' 3 \r\n-1 \r\nbank\r\nfix\r\ntrain\r\nptest\r\n 1 \r\n 0 \r\n 20 \r\nEOF\r\n' > qbx.txt
summary() {
  python3 -c '
import sys, statistics
v = {}
for line in sys.stdin:
    name, ms = line.rsplit(None, 1)
    v.setdefault(name, []).append(float(ms))
for name, xs in v.items():
    print(f"{name}: median {statistics.median(xs):.1f} ms, fastest {min(xs):.1f}, slowest {max(xs):.1f} ({len(xs)} rounds)")
'
}
for i in $(seq "$rounds"); do
  # Each first in turn, so neither always starts just as the other has
  # left.
  order="floor_window kelvora"
  [ $((i % 2)) = 0 ] && order="kelvora floor_window"
  for prog in $order; do
    KELVORA_EXIT_WHEN_SHOWN=1 KELVORA_STARTED_NS=$(date +%s%N) "$build/bin/$prog" 2>/dev/null |
      sed -n "s/^ready after \([0-9.]*\) ms/$prog ready \1/p"
  done
done | summary
printf ' 3 \r\n-1 \r\nbank\r\nfix\r\ntrain\r\nptest\r\n 5 \r\n 0 \r\n 20 \r\nEOF\r\n' > qbx.txt
for after in 0 1000; do
  for i in $(seq 5); do
    KELVORA_BENCH_START_AFTER_MS=$after "$build/bin/kelvora" 2>/dev/null |
      sed -n "s/^start to question: \([0-9.]*\) ms; longest the window did not answer: \([0-9]*\) ms/\1 \2/p" |
      while read -r ms gap; do
        echo "mode 5, 1,000,000 reviews, Start ${after} ms after the window shows: to the question $ms"
        echo "mode 5, 1,000,000 reviews, Start ${after} ms after the window shows: longest unanswered $gap"
      done
  done
done | summary
