#!/usr/bin/env bash
# Starts grayden on a simulated monitor under a private X server with a window manager, once in
# English and once in Japanese, and saves pictures of its window, its Setting menu and the
# dialogs of the Setting and Help menus in FOLDER/English and FOLDER/Japanese. Then it calibrates
# a factory-fresh monitor from the editor alone, as a user with a meter would (measure,
# calibrate, write, measure again, check, file the PDF), pictures each step and fails unless the
# filed report passes TG18 primary.
# Usage: scripts/screenshots.sh [FOLDER [GRAYDEN GRAYDENCTL]]
# (default build/screenshots; without the two programs it builds them in build/normal first).
# Needs Xvfb, openbox, xdotool, x11-utils and ImageMagick's import (scripts/install-deps.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$here/build/screenshots}"
if [ $# -ge 3 ]; then
  editor="$2" ctl="$3"
else
  "$here/scripts/build.sh" normal grayden graydenctl >/dev/null
  editor="$here/build/normal/editor/grayden" ctl="$here/build/normal/tools/graydenctl/graydenctl"
fi
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# Runs inside the X session: one language, every picture of it.
shoot_language() {
  local locale="$1" folder="$2" work pid main
  work="$(mktemp -d)"
  mkdir -p "$folder"
  # A gentle S-curve in the monitor and the output curve shown, so the graph has something to
  # show; the window opens at its default size.
  start_editor "$locale" "$work" 1
  "$ctl" curve --identity --set 63=1500 --set 95=2500 --set 159=5700 --set 191=6700 --out "$work/curve.csv"
  "$ctl" monitor write "$work/curve.csv"
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" "$editor" &
  pid=$!
  main="$(editor_window)"
  import -frame -window "$main" "$folder/main-window.png"

  xdotool key alt+s
  settle
  # The menu is a window of its own above the main one: the picture is taken from the screen.
  import -window root -crop "$(frame_geometry "$main")" +repage "$folder/setting-menu.png"
  xdotool key Escape

  dialog "$main" "alt+s c" "$folder/control-points.png"
  dialog "$main" "alt+s d" "$folder/default-curve.png"
  dialog "$main" "alt+s p" "$folder/panel-characteristic.png"
  dialog "$main" "alt+h a" "$folder/about.png"

  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$work"
  calibrate "$locale" "$folder"
}

# The calibration chapter's walk on a factory-fresh monitor with Preview off, so the monitor
# shows its stored table while the user measures.
calibrate() {
  local locale="$1" folder="$2" work pid main measure window
  work="$(mktemp -d)"
  start_editor "$locale" "$work" 0
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" "$editor" &
  pid=$!
  main="$(editor_window)"

  measure="$(open_window "$main" "alt+c m")"
  xdotool key alt+a
  settle
  meter_readings | type_readings "$folder/measure-window.png"
  save_as "$main $measure" "$work/before.csv"
  # The uncalibrated display's report, so the history starts with a failed verdict.
  LANG="$locale" "$ctl" report --measured "$work/before.csv" --table "$work/before.table.csv" --criteria tg18-primary \
    >/dev/null || true
  # Enter presses Calibrate; the dialog comes filled with what was just measured.
  activate "$measure"
  xdotool key Return
  wait_closed "$measure"
  window="$(new_window "$main")"
  activate "$window"
  settle
  import -frame -window "$window" "$folder/gsdf-curve.png"
  xdotool key Return
  wait_closed "$window"
  activate "$main"
  xdotool key ctrl+w

  measure="$(open_window "$main" "alt+c m")"
  xdotool key alt+a
  settle
  meter_readings | type_readings
  save_as "$main $measure" "$work/after.csv"
  activate "$measure"
  xdotool key alt+h
  wait_closed "$measure"
  window="$(new_window "$main")"
  activate "$window"
  settle
  import -frame -window "$window" "$folder/conformance-report.png"
  xdotool key alt+s
  save_as "$main $window" "$folder/conformance-report.pdf"
  activate "$window"
  xdotool key Escape
  wait_closed "$window"
  if ! LANG=en_US.UTF-8 "$ctl" history | tail -n 1 | grep -q '  tg18-primary  pass  '; then
    echo "screenshots.sh: the calibrated monitor's report did not pass TG18 primary:" >&2
    "$ctl" history >&2
    exit 1
  fi
  LANG="$locale" "$ctl" history --plot "$folder/history.png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$work"
}

# Prepares a session of grayden: a simulated monitor, settings and history in WORK, and Preview
# as given; the caller starts "$editor" in its language.
start_editor() {
  local locale="$1" work="$2" preview="$3"
  mkdir -p "$work/config/KOVA" "$work/data"
  mkdir -m 700 "$work/runtime"
  printf '[General]\nPreview=%s\n' "$preview" >"$work/config/KOVA/LCD Ombrel Ver2.0x.ini"
  export GRAYDEN_SIMULATOR="$work/monitor.state" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
  export XDG_RUNTIME_DIR="$work/runtime"
}

# The editor's main window once it is shown and has the focus.
editor_window() {
  local main
  main="$(timeout 20 xdotool search --sync --onlyvisible --name '^LCD Ombrel Utility' | head -n 1)"
  if [ -z "$main" ]; then echo "screenshots.sh: the editor's window did not open" >&2; exit 1; fi
  activate "$main"
  settle
  echo "$main"
}

# What a meter reads on a panel of gamma 2.4 from 0.4 to 380 cd/m², to three figures, at the
# measurement window's 18 levels while the monitor holds its stored table; then a dim room.
meter_readings() {
  "$ctl" monitor read | tr -c '0-9\n' '\n' | grep . | awk '{ drive[NR - 1] = $1 }
    END { for (level = 0; level <= 255; level += 15) printf "%.3g\n", 0.4 + 379.6 * (drive[level] / 8160) ^ 2.4 }'
  echo 0.15
}

# Types each reading on standard input and Enter; pictures the screen at the ninth patch.
type_readings() {
  local picture="${1:-}" step=0 reading
  while read -r reading; do
    if [ "$step" = 8 ] && [ -n "$picture" ]; then
      settle
      import -window root -resize 50% "$picture"
    fi
    xdotool type "$reading"
    xdotool key Return
    step=$((step + 1))
  done
}

# Types a path into the file chooser that opens over the windows given, and waits until it is gone.
save_as() {
  local chooser
  chooser="$(new_window "$1")"
  activate "$chooser"
  xdotool type "$2"
  xdotool key Return
  wait_closed "$chooser"
  for _ in $(seq 100); do
    [ -s "$2" ] && return 0
    sleep 0.1
  done
  echo "screenshots.sh: $2 was not saved" >&2
  exit 1
}

# Sends keys to the main window and waits for the window they open.
open_window() {
  local window
  activate "$1"
  # shellcheck disable=SC2086
  xdotool key $2
  window="$(new_window "$1")"
  activate "$window"
  echo "$window"
}

# The first visible window with a name that is none of the windows given, waited for.
new_window() {
  local window
  for _ in $(seq 100); do
    window="$(timeout 5 xdotool search --onlyvisible --name . 2>/dev/null | grep -vxF -f <(tr ' ' '\n' <<<"$1") |
      head -n 1 || true)"
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.1
  done
  echo "screenshots.sh: no window opened besides $1" >&2
  exit 1
}

# Waits until a window is no longer shown.
wait_closed() {
  for _ in $(seq 100); do
    timeout 5 xdotool search --onlyvisible --name . 2>/dev/null | grep -qxF "$1" || return 0
    sleep 0.1
  done
  echo "screenshots.sh: window $1 did not close" >&2
  exit 1
}

# The window manager's frame around a window, as an ImageMagick geometry WxH+X+Y.
frame_geometry() {
  local frame
  frame="$(xwininfo -tree -id "$1" | awk '/Parent window id/ { print $4 }')"
  xwininfo -id "$frame" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%dx%d+%d+%d", w, h, x, y }'
}

# Lets the window paint what the last event changed.
settle() { sleep "${GRAYDEN_SHOT_DELAY:-1}"; }

# Gives a window the focus and waits until it has it; every call to the X server is bounded.
activate() {
  for _ in $(seq 100); do
    [ "$(timeout 5 xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    timeout 5 xdotool windowactivate "$1" 2>/dev/null || true
    sleep 0.1
  done
  echo "screenshots.sh: window $1 does not take the focus" >&2
  exit 1
}

# Opens a dialog with the keys given, saves its picture and cancels it. Escape is sent only while
# the dialog has the focus, since on the main window Escape would end the editor.
dialog() {
  local window
  window="$(open_window "$1" "$2")"
  settle
  import -frame -window "$window" "$3"
  xdotool key Escape
  wait_closed "$window"
}

export -f shoot_language calibrate start_editor editor_window meter_readings type_readings save_as open_window \
  new_window wait_closed settle frame_geometry activate dialog
export editor ctl
"$here/tests/editor/with-window-manager.sh" bash -c '
  set -euo pipefail
  shoot_language en_US.UTF-8 "$1/English"
  shoot_language ja_JP.UTF-8 "$1/Japanese"' shots "$out"
echo "$out"
