#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts grayden on the simulated
# monitor, whose memory lives in the user's state folder. With --real it talks to a real monitor.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" normal

if [ "${1:-}" != "--real" ]; then
  state_dir="${XDG_STATE_HOME:-$HOME/.local/state}/grayden"
  mkdir -p "$state_dir"
  export GRAYDEN_SIMULATOR="${GRAYDEN_SIMULATOR:-$state_dir/simulated-monitor.state}"
  echo "Simulated monitor: $GRAYDEN_SIMULATOR"
fi

exec "$here/build/normal/editor/grayden"
