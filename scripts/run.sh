#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts grayden on the simulated
# monitor, whose memory lives in the user's state folder. With --real it talks to a real monitor.
# With --screenshot FILE it runs the editor under Xvfb instead of a display and saves a picture.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

mode="${1:-}"
shot=""
case "$mode" in
  "" | --real) ;;
  --screenshot)
    shot="${2:-}"
    if [ -z "$shot" ]; then echo "usage: $0 [--real | --screenshot FILE]" >&2; exit 2; fi
    case "$shot" in /*) ;; *) shot="$PWD/$shot" ;; esac ;;
  *) echo "usage: $0 [--real | --screenshot FILE]" >&2; exit 2 ;;
esac

if [ -z "$shot" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display: neither DISPLAY nor WAYLAND_DISPLAY is set (use $0 --screenshot FILE)" >&2
  exit 1
fi

"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" normal grayden graydenctl
editor="$here/build/normal/editor/grayden"

if [ "$mode" != "--real" ]; then
  state_dir="${XDG_STATE_HOME:-$HOME/.local/state}/grayden"
  mkdir -p "$state_dir"
  export GRAYDEN_SIMULATOR="${GRAYDEN_SIMULATOR:-$state_dir/simulated-monitor.state}"
  echo "Simulated monitor: $GRAYDEN_SIMULATOR"
fi

if [ -z "$shot" ]; then
  exec "$editor"
fi

# The editor gets a screen of its own and a runtime folder of its own, so a copy already running
# on the desktop does not refuse it; the picture is taken once its window is up.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" & pid=$!
    for _ in $(seq 1 100); do
      if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; exit 1; fi
      if xwininfo -root -tree 2>/dev/null | grep -q "LCD Ombrel"; then break; fi
      sleep 0.1
    done
    sleep "${GRAYDEN_SHOT_DELAY:-1}"
    import -window root "$2"
    kill "$pid"; wait "$pid" 2>/dev/null || true' shot "$editor" "$shot"
echo "Screenshot: $shot"
