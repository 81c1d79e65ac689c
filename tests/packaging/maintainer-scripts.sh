#!/usr/bin/env bash
# The package's maintainer scripts, run with a recording udevadm: what they ask of udev for each
# action, that DPKG_ROOT (installing into another root) keeps them away from the running udev,
# and that a udev that is not running (a container, a chroot) does not fail the installation.
# Usage: maintainer-scripts.sh PACKAGE.deb
set -euo pipefail
deb="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -e "$deb" "$work/control"
mkdir "$work/bin"
cat >"$work/bin/udevadm" <<'EOF2'
#!/bin/sh
echo "$*" >>"$UDEVADM_LOG"
exit "${UDEVADM_STATUS:-0}"
EOF2
chmod +x "$work/bin/udevadm"
status=0

# script, argument, DPKG_ROOT, udevadm's exit status, the expected udevadm calls (| separated)
while IFS=, read -r script argument root answer expected; do
  log="$work/udevadm.log"
  : >"$log"
  if ! env PATH="$work/bin:$PATH" UDEVADM_LOG="$log" UDEVADM_STATUS="$answer" DPKG_ROOT="$root" \
    "$work/control/$script" "$argument"; then
    echo "FAIL: $script $argument (DPKG_ROOT='$root', udevadm answers $answer) failed" >&2
    status=1
  fi
  got="$(paste -sd'|' "$log")"
  if [ "$got" != "$expected" ]; then
    echo "FAIL: $script $argument (DPKG_ROOT='$root'): udevadm got '$got', expected '$expected'" >&2
    status=1
  fi
done <<'EOF2'
postinst,configure,,0,control --reload-rules|trigger --subsystem-match=hidraw --action=change
postinst,configure,,1,control --reload-rules|trigger --subsystem-match=hidraw --action=change
postinst,configure,/tmp/other-root,0,
postinst,abort-upgrade,,0,
postrm,remove,,0,control --reload-rules
postrm,remove,,1,control --reload-rules
postrm,remove,/tmp/other-root,0,
postrm,purge,,0,
postrm,upgrade,,0,
EOF2
exit $status
