#!/usr/bin/env bash
# Redraws the editor's bitmaps, icon and cursor into resources/grayden (the results are committed).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/build.sh" normal draw_grayden_images
QT_QPA_PLATFORM=offscreen "$here/build/normal/resources/draw_grayden_images" "$here/resources/grayden"
