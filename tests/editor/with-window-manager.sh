#!/usr/bin/env bash
# Runs one command on a private virtual X server whose windows openbox manages, as on a desktop,
# then ends both servers and removes their files. Usage: with-window-manager.sh COMMAND [ARGS...]
set -euo pipefail

for tool in Xvfb openbox xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "with-window-manager.sh: $tool is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

work="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Waits up to 10 s for a file to be written.
wait_for() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  echo "with-window-manager.sh: $2 did not start" >&2
  exit 1
}

# The server picks a free display number itself and writes it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for "$work/display" Xvfb
export DISPLAY=":$(cat "$work/display")"

# Openbox runs its start-up command once it manages the screen.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
openbox --sm-disable --startup "sh -c 'echo ready >$work/wm-ready'" 2>"$work/openbox.log" &
wm_pid=$!
wait_for "$work/wm-ready" openbox

# On a desktop platform Qt talks to the session bus, whose library keeps a buffer to the end.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")/../.." && pwd)/scripts/lsan.supp"

# Bounded here, below the test's own time limit, so that the servers are always cleaned up.
export QT_QPA_PLATFORM=xcb
set +e
timeout --kill-after=5 150 "$@"
status=$?
set -e
exit "$status"
