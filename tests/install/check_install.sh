#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a user's machine
# would get: the programs run, and every file the program and the desktop look
# for is where they look.
set -euo pipefail
build=$1
probe=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [[ -f $prefix/$1 ]] || fail "missing $1"; }

expect_file bin/tallyfin
expect_file bin/tallyfin-cli
# The statement check is loaded when first opened, from lib/tallyfin beside
# bin/, with the .xls reader it starts; the program itself links none of it.
expect_file lib/tallyfin/statementwindow.so
expect_file lib/tallyfin/tallyfin-xls-reader
if readelf -d "$prefix/bin/tallyfin" | grep -Eq 'NEEDED.*(Qt6Charts|Qt6OpenGL|libzip|freexl|sqlite)'; then
    fail "bin/tallyfin links what only the statement check needs"
fi
# The program looks for its pages in share/tallyfin/pages beside bin/.
expect_file share/tallyfin/pages/tallyfin.html
expect_file share/tallyfin/pages/stock-sites.html
expect_file share/applications/tallyfin.desktop
expect_file share/metainfo/io.github.tallyfin.tallyfin.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/tallyfin.svg
for size in 16 32 48 64 128 256; do
    expect_file "share/icons/hicolor/${size}x${size}/apps/tallyfin.png"
done

out=$("$prefix/bin/tallyfin-cli" trade --buy-price 10 --buy-qty 1000 --sell-price 11 --json)
[[ $out =~ \"profit\":\ *\"924\" ]] || fail "installed tallyfin-cli gave: $out"

cp "$probe" "$prefix/bin/"
out=$("$prefix/bin/$(basename "$probe")" 2>&1) || fail "the statement check did not open from the installed tree: $out"

grep -q '^Exec=tallyfin %F$' "$prefix/share/applications/tallyfin.desktop" || fail "desktop entry does not start tallyfin"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/tallyfin.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/io.github.tallyfin.tallyfin.metainfo.xml" >/dev/null \
        || fail "AppStream metadata does not validate"
fi
echo "installed layout complete"
