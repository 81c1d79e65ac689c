#!/usr/bin/env bash
# The test command: installs what is missing, builds the normal and the sanitizer
# configuration, and runs every test in both (the fuzz targets run briefly in the second);
# after the normal build it checks the layout and the naming rule.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

"$here/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for config in normal sanitize; do
  echo "=== $config build"
  "$here/scripts/build.sh" "$config"
  if [ "$config" = normal ]; then
    echo "=== style"
    if ! "$here/scripts/check-style.sh" "$here/build/normal"; then
      status=1
    fi
  fi
  echo "=== $config tests"
  if ! ctest --test-dir "$here/build/$config" --output-on-failure -j2; then
    status=1
  fi
done
exit $status
