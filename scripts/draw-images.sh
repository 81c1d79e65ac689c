#!/usr/bin/env bash
# Redraws the bitmaps, icons and cursors of the editor (resources/grayden) and of the launcher
# (resources/launcher); the results are committed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/build.sh" normal draw_grayden_images draw_launcher_images
QT_QPA_PLATFORM=offscreen "$here/build/normal/resources/draw_grayden_images" "$here/resources/grayden"
QT_QPA_PLATFORM=offscreen "$here/build/normal/resources/draw_launcher_images" "$here/resources/launcher"
