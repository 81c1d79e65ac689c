#!/usr/bin/env bash
# Measures the start-up of grayden and launcher against the smallest Qt Widgets window (a QLabel):
# on a private Xvfb without a window manager and a simulated monitor, the time from exec to the
# first window mapped on the screen. After 3 warm-up rounds come 12 rounds that each start the
# three programs in turn; it prints the median times and the median of the per-round ratios.
# Usage: scripts/measure-startup.sh [ROUNDS]  (builds the programs in build/normal first).
# Needs Xvfb (scripts/install-deps.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-12}"
warmup=3
"$here/scripts/build.sh" normal grayden launcher startup_watcher label_window >/dev/null
bin="$here/build/normal"
watcher="$bin/tests/bench/startup_watcher"
programs=(label:"$bin/tests/bench/label_window" editor:"$bin/editor/grayden" launcher:"$bin/launcher/launcher")

work="$(mktemp -d)"
xvfb=""
cleanup() {
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the descriptor named; without
# -noreset it would reset whenever the last program disconnects and refuse the next one meanwhile.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
if [ ! -s "$work/display" ]; then echo "measure-startup.sh: Xvfb did not start" >&2; exit 1; fi
export DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb
mkdir -p "$work/config"
mkdir -m 700 "$work/runtime"
export GRAYDEN_SIMULATOR="$work/monitor.state" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset QT_DEBUG_PLUGINS LD_DEBUG

# One start of each program, in an order that turns with the round so none always goes first;
# each time is appended to its program's list.
run_round() {
  local round="$1" n="${#programs[@]}" i entry
  for ((i = 0; i < n; i++)); do
    entry="${programs[$(((i + round) % n))]}"
    "$watcher" "${entry#*:}" >>"$work/${entry%%:*}.ms"
  done
}
for ((r = 0; r < warmup; r++)); do run_round "$r"; done
rm -f "$work"/*.ms
for ((r = 0; r < rounds; r++)); do run_round "$r"; done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
label_ms="$(median <"$work/label.ms")"
printf 'load average: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-9s %8.1f ms\n' label "$label_ms"
for name in editor launcher; do
  ms="$(median <"$work/$name.ms")"
  ratio="$(paste "$work/$name.ms" "$work/label.ms" | awk '{ print $1 / $2 }' | median)"
  printf '%-9s %8.1f ms  %.2fx\n' "$name" "$ms" "$ratio"
done
