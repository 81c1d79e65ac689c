#!/usr/bin/env bash
# Runs the fuzz targets for longer than the test command does.
# Usage: scripts/fuzz.sh [seconds per target, default 300] [target...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-300}"; shift || true
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" sanitize
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find "$here/build/sanitize/tests/fuzz" -maxdepth 1 -type f -executable -name '*_fuzzer' -printf '%f\n')
fi
for t in "${targets[@]}"; do
  echo "=== $t for ${seconds}s"
  work="$here/build/sanitize/tests/fuzz/$t-corpus"
  mkdir -p "$work"
  # Seeds of target name_fuzzer live in tests/fuzz/name-seeds (underscores as dashes).
  stem="${t%_fuzzer}"
  seeds="$here/tests/fuzz/${stem//_/-}-seeds"
  args=("$work")
  [ -d "$seeds" ] && args+=("$seeds")
  "$here/build/sanitize/tests/fuzz/$t" -max_total_time="$seconds" -max_len=70000 "${args[@]}"
done
