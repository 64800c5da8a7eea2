#!/usr/bin/env bash
# The Debian package as a distribution checks it: lintian finds no error and no warning (its notes are
# shown), appstreamcli accepts the AppStream entry, the version is the same in the package, the program,
# the AppStream release and the manual page, and each hicolor picture has its folder's size. Skipped (77)
# where the tools are missing.
set -euo pipefail
build=$1
for tool in cpack lintian appstreamcli dpkg-shlibdeps od; do
  command -v "$tool" >/dev/null || { echo "no $tool: the package is not checked"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/nevalon_*.deb)
dpkg-deb -x "$deb" "$work/root"

lintian --fail-on error,warning --display-info --color never "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"
grep -v 'root privileges' "$work/lintian.log" || true

appstreamcli validate --no-net "$work/root/usr/share/metainfo/com.brask.Nevalon.metainfo.xml" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli: $(cat "$work/appstream.log")"

version=$(dpkg-deb -f "$deb" Version)
[ "$("$work/root/usr/bin/nevalon" --version)" = "nevalon $version" ] || fail "nevalon --version is not $version"
grep -q "<release version=\"$version\"" "$work/root/usr/share/metainfo/com.brask.Nevalon.metainfo.xml" ||
  fail "the AppStream release is not $version"
zcat "$work/root/usr/share/man/man1/nevalon.1.gz" | grep -q "^\.TH NEVALON 1 .* \"Nevalon $version\"" ||
  fail "the manual page is not of $version"

for png in "$work"/root/usr/share/icons/hicolor/*/apps/nevalon.png; do
  folder=$(basename "$(dirname "$(dirname "$png")")")
  # The PNG header holds the width and the height as big-endian 32-bit numbers from byte 16 on.
  read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
  size="$(((w1 << 24) + (w2 << 16) + (w3 << 8) + w4))x$(((h1 << 24) + (h2 << 16) + (h3 << 8) + h4))"
  [ "$size" = "$folder" ] || fail "$folder/apps/nevalon.png is $size"
done
[ "$(ls -d "$work"/root/usr/share/icons/hicolor/*x*/apps | wc -l)" -ge 8 ] || fail "fewer than 8 picture sizes"

[ "$failed" -eq 0 ] && echo "the package passes lintian and appstreamcli, with one version throughout"
[ "$failed" -eq 0 ]
