#!/usr/bin/env bash
# Starts grayden under Xvfb on a fresh simulated monitor, once in English and once in Japanese,
# and saves a screenshot of each for people to look at. Usage: scripts/screenshots.sh [folder]
# (default build/screenshots). Needs xvfb-run and ImageMagick's import (scripts/install-deps.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$here/build/screenshots}"
mkdir -p "$out"
"$here/scripts/build.sh" normal grayden >/dev/null
editor="$here/build/normal/editor/grayden"

shoot() {
  local locale="$1" file="$2" work
  work="$(mktemp -d)"
  mkdir -p "$work/config" "$work/runtime"
  chmod 700 "$work/runtime"
  env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG="$locale" \
      XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
      GRAYDEN_SIMULATOR="$work/monitor.state" \
      xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$1" & pid=$!
        sleep "${GRAYDEN_SHOT_DELAY:-3}"
        import -window root "$2"
        kill "$pid"; wait "$pid" 2>/dev/null || true' shot "$editor" "$file"
  rm -rf "$work"
  echo "$file"
}

shoot en_US.UTF-8 "$out/grayden-english.png"
shoot ja_JP.UTF-8 "$out/grayden-japanese.png"
