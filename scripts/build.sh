#!/usr/bin/env bash
# Configures and builds one configuration: normal (gcc, release with debug info) or sanitize
# (clang, ASan+UBSan, with the Qt programs and the fuzz targets). Usage: scripts/build.sh normal|sanitize [targets...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
config="${1:-normal}"; shift || true

case "$config" in
  normal)
    dir="$here/build/normal"
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++) ;;
  sanitize)
    dir="$here/build/sanitize"
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          -DGRAYDEN_SANITIZE=ON -DGRAYDEN_BUILD_GUI=ON -DGRAYDEN_BUILD_BENCHMARKS=OFF
          -DGRAYDEN_BUILD_FUZZERS=ON) ;;
  *) echo "usage: $0 normal|sanitize [targets...]" >&2; exit 2 ;;
esac

# ccache, where installed, lets several checkouts of the project share compiled objects.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$here")}" CCACHE_NOHASHDIR=true
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$dir" -G Ninja "${args[@]}" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$dir" --target "$@"
else
  cmake --build "$dir"
fi
