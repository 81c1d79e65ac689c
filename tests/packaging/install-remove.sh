#!/usr/bin/env bash
# Installs the package into a private dpkg root, finds it by its product code the way the launcher
# does, then removes and purges it and checks that nothing of it is left.
# Usage: install-remove.sh PACKAGE.deb PRODUCT-CODE
set -euo pipefail
deb="$1" code="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates" "$admin/triggers"
: >"$admin/status"
# The private root holds none of the libraries the package depends on.
# dpkg sets DPKG_ROOT for the scripts, so the running system's udev must not be asked anything.
mkdir "$root.bin"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$root.udevadm" >"$root.bin/udevadm"
chmod +x "$root.bin/udevadm"
trap 'rm -rf "$root" "$root.bin" "$root.udevadm"' EXIT
dpkg_() { PATH="$root.bin:$PATH" dpkg --root="$root" --force-not-root --force-script-chrootless --force-depends "$@" >/dev/null 2>&1; }
query() { dpkg-query --admindir="$admin" -W -f='${Package}\t${db:Status-Abbrev}\t${Product-Code}\n' 2>/dev/null || true; }
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
# Everything but dpkg's own database.
leftovers() { find "$root" -mindepth 1 -not -path "$root/var" -not -path "$root/var/lib" -not -path "$admin" -not -path "$admin/*"; }

dpkg_ -i "$deb" || fail "dpkg -i failed"
[ "$(query)" = "$(printf 'grayden\tii \t%s' "$code")" ] || fail "after install the database says: $(query)"

# The desktop entry starts an installed program and shows an installed icon.
entry="$root/usr/share/applications/grayden.desktop"
program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -x "$root/usr/bin/$program" ] || fail "the desktop entry starts '$program', which is not in /usr/bin"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "the desktop entry's icon '$icon' is not installed"
# The installed (stripped) programs still run.
"$root/usr/bin/graydenctl" curve --identity >/dev/null || fail "the installed graydenctl does not run"

dpkg_ -r grayden || fail "dpkg -r failed"
[ -z "$(leftovers)" ] || fail "left behind by dpkg -r: $(leftovers)"
# Removed but not purged: the code is still on record, so the status must be looked at, not the code.
[ "$(query)" = "$(printf 'grayden\trc \t%s' "$code")" ] || fail "after removal the database says: $(query)"

dpkg_ --purge grayden || fail "dpkg --purge failed"
[ -z "$(query)" ] || fail "after purge the database still says: $(query)"
[ ! -e "$root.udevadm" ] || fail "the scripts called the running udev: $(cat "$root.udevadm")"
info="$(find "$admin/info" -name 'grayden.*')"
[ -z "$info" ] || fail "dpkg still keeps: $info"
exit $status
