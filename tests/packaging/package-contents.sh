#!/usr/bin/env bash
# The built package: its control fields and the files a working installation needs.
# Usage: package-contents.sh PACKAGE.deb PRODUCT-CODE
set -euo pipefail
deb="$1" code="$2"
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

while IFS='=' read -r field want; do
  got="$(dpkg-deb -f "$deb" "$field")"
  [ "$got" = "$want" ] || fail "field $field is '$got', expected '$want'"
done <<EOF2
Package=grayden
Version=2.0.0
Product-Code=$code
EOF2
# shlibdeps must have found the libraries the programs link, and the display plugins are named.
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6widgets6 libc6 qt6-qpa-plugins; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

listing="$(dpkg-deb -c "$deb")"
for path in \
  'rwxr-xr-x ./usr/bin/grayden' \
  'rwxr-xr-x ./usr/bin/graydenctl' \
  'rw-r--r-- ./usr/lib/udev/rules.d/70-grayden-kova.rules' \
  'rw-r--r-- ./usr/share/applications/grayden.desktop' \
  'rw-r--r-- ./usr/share/metainfo/io.github.grayden_project.grayden.metainfo.xml' \
  'rw-r--r-- ./usr/share/man/man1/grayden.1.gz' \
  'rw-r--r-- ./usr/share/man/man1/graydenctl.1.gz' \
  'rw-r--r-- ./usr/share/doc/grayden/copyright' \
  'rw-r--r-- ./usr/share/doc/grayden/changelog.gz' \
  'rw-r--r-- ./usr/share/doc/grayden/English/Manual.html' \
  'rw-r--r-- ./usr/share/doc/grayden/Japanese/Manual.html'; do
  mode="${path%% *}" file="${path#* }"
  grep -qE "^-${mode} root/root +[0-9]+ [0-9-]+ [0-9:]+ ${file//./\\.}$" <<<"$listing" || fail "missing or wrong mode: $path"
done
for size in 16 32 48 64 128 256; do
  grep -q " ./usr/share/icons/hicolor/${size}x${size}/apps/grayden.png$" <<<"$listing" || fail "no ${size}px icon"
done
# The package owns nothing below /etc (the rule lives with the distribution's rules) and no launcher.
grep -qE ' \./etc/| launcher$' <<<"$listing" && fail "unexpected files: $(grep -E ' \./etc/| launcher$' <<<"$listing")"

# Every icon is a PNG of its folder's size.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
for icon in "$work"/usr/share/icons/hicolor/*/apps/grayden.png; do
  size="$(basename "$(dirname "$(dirname "$icon")")")"
  got="$(identify -format '%m %wx%h' "$icon")"
  [ "$got" = "PNG $size" ] || fail "$icon is $got, expected PNG $size"
done
# The man pages are compressed roff that groff reads without a warning.
for page in grayden graydenctl; do
  warnings="$(zcat "$work/usr/share/man/man1/$page.1.gz" | groff -man -ww -z -Tutf8 2>&1)" || fail "groff failed on $page.1"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
exit $status
