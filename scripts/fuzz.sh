#!/usr/bin/env bash
# Runs the fuzz targets for longer than the test command does, then prints each target's runs
# and coverage (libFuzzer's final "cov" edges and "ft" features). The engine and device
# libraries are instrumented for coverage in this build, so the numbers reach into them.
# Usage: scripts/fuzz.sh [seconds per target, default 300] [target...]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-300}"; shift || true
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" sanitize
fuzzdir="$here/build/sanitize/tests/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find "$fuzzdir" -maxdepth 1 -type f -executable -name '*_fuzzer' -printf '%f\n' | sort)
fi

summary=()
status=0
for t in "${targets[@]}"; do
  work="$fuzzdir/$t-corpus"
  log="$fuzzdir/$t.log"
  mkdir -p "$work"
  # Seeds of target name_fuzzer live in tests/fuzz/name-seeds (underscores as dashes); new
  # inputs go to the corpus folder in the build tree, never into the committed seeds.
  stem="${t%_fuzzer}"
  seeds="$here/tests/fuzz/${stem//_/-}-seeds"
  args=("$work")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "=== $t for ${seconds}s (log: $log)"
  if "$fuzzdir/$t" -max_total_time="$seconds" -max_len=70000 -artifact_prefix="$fuzzdir/$t-" \
       "${args[@]}" >"$log" 2>&1; then
    # The last line libFuzzer prints for a finished run: "#RUNS<tab>DONE   cov: C ft: F corp: ...".
    stats="$(grep -aE '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)"
    runs="$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$stats")"
    cov="$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$stats")"
    ft="$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$stats")"
    summary+=("$(printf '%-24s %12s %8s %8s' "$t" "${runs:-?}" "${cov:-?}" "${ft:-?}")")
  else
    echo "$t failed; the end of its log names the input that broke it:" >&2
    tail -n 30 "$log" >&2
    summary+=("$(printf '%-24s %12s' "$t" FAILED)")
    status=1
  fi
done

echo
printf '%-24s %12s %8s %8s\n' target runs cov ft
printf '%s\n' "${summary[@]}"
exit "$status"
