#!/usr/bin/env bash
# Checks the house style: the layout that .clang-format gives, and the naming rule of .clang-tidy
# (types UpperCamelCase, functions and methods lowerCamelCase). Usage: scripts/check-style.sh BUILD_DIR
# BUILD_DIR must hold a compile_commands.json (scripts/build.sh normal writes one).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build/normal}"
cd "$here"

mapfile -t sources < <(find engine device editor launcher ui render tools resources tests \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run -Werror "${sources[@]}"

echo "clang-tidy: the naming rule"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "$here/(engine|device|editor|launcher|ui|render|tools)/" >"$build/naming.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/naming.log" >&2 || cat "$build/naming.log" >&2
  exit 1
}
echo "style: ok"
