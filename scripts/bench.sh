#!/usr/bin/env bash
# Builds the normal configuration and runs every benchmark that exists.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" normal
for b in engine_bench device_bench report_bench editor_bench; do
  exe="$here/build/normal/tests/bench/$b"
  if [ -x "$exe" ]; then
    echo "=== $b"
    QT_QPA_PLATFORM=offscreen "$exe" "$@"
  fi
done
