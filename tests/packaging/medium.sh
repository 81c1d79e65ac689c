#!/usr/bin/env bash
# The distribution medium: the launcher, the package and both manual pages at the launcher's
# paths, and an ISO image whose Rock Ridge tree gives back the same files, names and launcher
# execute bit, with the same names under Joliet.
# Usage: medium.sh MEDIUM-FOLDER IMAGE.iso PACKAGE-PATH MANUAL-PATH...
set -euo pipefail
medium="$1" iso="$2" package="$3"
shift 3
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

[ -f "$medium/launcher" ] && [ -x "$medium/launcher" ] || fail "no executable launcher in $medium"
[ "$(dpkg-deb -f "$medium/$package" Package 2>/dev/null)" = grayden ] || fail "no grayden package at $package"
for page in "$@"; do
  grep -qi '<html' "$medium/$page" 2>/dev/null || fail "no manual page at $page"
done

work="$(mktemp -d)"
# The image's tree is read-only, as on a disc.
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
xorriso -osirrox on -indev "$iso" -extract / "$work/rock-ridge" >/dev/null 2>&1 || fail "cannot extract $iso"
diff -r "$medium" "$work/rock-ridge" >&2 || fail "the image's Rock Ridge tree differs from $medium"
[ -x "$work/rock-ridge/launcher" ] || fail "the launcher lost its execute bit in the image"

# Joliet alone (as another system reads the disc) must still show every name unchanged.
(cd "$medium" && find . -mindepth 1 | sed 's|^\.||' | sort) >"$work/names"
xorriso -read_fs norock -indev "$iso" -find / -exec lsdl 2>/dev/null |
  sed -n "s|.* '\(/..*\)'$|\1|p" | sort >"$work/joliet"
diff "$work/names" "$work/joliet" >&2 || fail "Joliet names differ from the medium's"
exit $status
