#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators, and the metainfo announces
# the editor for exactly the USB vendors the udev rule opens to the user.
# Usage: desktop-files.sh PACKAGING-FOLDER UDEV-RULE
set -euo pipefail
folder="$1" rule="$2"
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

desktop-file-validate "$folder/grayden.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$folder"/*.metainfo.xml || fail "appstreamcli validate"

rule_vendors="$(grep -o 'ATTRS{idVendor}=="[0-9a-f]*"' "$rule" | cut -d'"' -f2 | sort)"
meta_vendors="$(grep -o '<modalias>usb:v[0-9A-F]\{4\}p\*</modalias>' "$folder"/*.metainfo.xml | cut -c16-19 |
  tr 'A-F' 'a-f' | sort)"
[ "$rule_vendors" = "$(printf '1268\n1269\n126a')" ] || fail "the udev rule names vendors: $rule_vendors"
[ "$meta_vendors" = "$rule_vendors" ] || fail "metainfo modaliases $meta_vendors differ from the rule's $rule_vendors"
exit $status
