#!/usr/bin/env bash
# Starts grayden on a simulated monitor under a private X server with a window manager, once in
# English and once in Japanese, and saves pictures of its window, its Setting menu and the
# dialogs of the Setting and Help menus in FOLDER/English and FOLDER/Japanese.
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
  mkdir -p "$work/config/KOVA" "$folder"
  mkdir -m 700 "$work/runtime"
  # A gentle S-curve in the monitor and the output curve shown, so the graph has something to
  # show; the window opens at its default size.
  printf '[General]\nPreview=1\n' >"$work/config/KOVA/LCD Ombrel Ver2.0x.ini"
  export GRAYDEN_SIMULATOR="$work/monitor.state"
  "$ctl" curve --identity --set 63=1500 --set 95=2500 --set 159=5700 --set 191=6700 --out "$work/curve.csv"
  "$ctl" monitor write "$work/curve.csv"

  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" "$editor" &
  pid=$!
  main="$(timeout 20 xdotool search --sync --onlyvisible --name '^LCD Ombrel Utility' | head -n 1)"
  if [ -z "$main" ]; then echo "screenshots.sh: the editor's window did not open" >&2; exit 1; fi
  activate "$main"
  settle
  import -frame -window "$main" "$folder/main-window.png"

  xdotool key alt+s
  settle
  # The menu is a window of its own above the main one: the picture is taken from the screen.
  import -window root -crop "$(frame_geometry "$main")" +repage "$folder/setting-menu.png"
  xdotool key Escape

  dialog "$main" "alt+s c" "$folder/control-points.png"
  dialog "$main" "alt+s d" "$folder/default-curve.png"
  dialog "$main" "alt+s p" "$folder/panel-characteristic.png"
  dialog "$main" "alt+s g" "$folder/gsdf-curve.png"
  dialog "$main" "alt+h a" "$folder/about.png"

  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$work"
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

# Opens a dialog with the keys given, saves its picture and cancels it. The dialog is the one
# visible window with a name besides the main one; Escape is sent only while it has the focus,
# since on the main window Escape would end the editor.
dialog() {
  local main="$1" keys="$2" file="$3" window=""
  activate "$main"
  # shellcheck disable=SC2086
  xdotool key $keys
  for _ in $(seq 100); do
    window="$(other_window "$main")"
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then echo "screenshots.sh: no dialog opened for the keys $keys" >&2; exit 1; fi
  activate "$window"
  settle
  import -frame -window "$window" "$file"
  xdotool key Escape
  for _ in $(seq 100); do
    [ -z "$(other_window "$main")" ] && return 0
    sleep 0.1
  done
  echo "screenshots.sh: the dialog of $keys did not close" >&2
  exit 1
}

# A visible window with a name other than the one given, if there is one.
other_window() {
  timeout 5 xdotool search --onlyvisible --name . 2>/dev/null | grep -vx "$1" | head -n 1 || true
}

export -f shoot_language settle frame_geometry activate dialog other_window
export editor ctl
"$here/tests/editor/with-window-manager.sh" bash -c '
  set -euo pipefail
  shoot_language en_US.UTF-8 "$1/English"
  shoot_language ja_JP.UTF-8 "$1/Japanese"' shots "$out"
echo "$out"
