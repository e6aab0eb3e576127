#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a user would: the program beside its
# settings file, the desktop entry, the icon and the manual page.
#
# usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail

cmake=$1 build=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix
for file in bin/facetor bin/facetor.cfg share/applications/facetor.desktop \
            share/icons/hicolor/scalable/apps/facetor.svg share/man/man1/facetor.1; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done

# The installed settings file is the one the program makes when it has none.
mkdir "$work/fresh"
cp "$build/facetor" "$work/fresh/facetor"
(cd "$work/fresh" && ./facetor --ui=console missing.dxf >/dev/null 2>&1) || true
cmp "$work/fresh/facetor.cfg" "$prefix/bin/facetor.cfg" ||
  fail "the installed facetor.cfg is not the default settings file"

# A conversion with the installed program reads that file and leaves it alone.
chmod a-w "$prefix/bin" "$prefix/bin/facetor.cfg"
cp "$source/examples/plate.dxf" "$work/plate.dxf"
(cd "$work" && "$prefix/bin/facetor" --ui=console plate.dxf >"$work/out" 2>"$work/err") ||
  fail "the installed program failed: $(cat "$work/err")"
[ ! -s "$work/err" ] || fail "unexpected message: $(cat "$work/err")"
cmp -s <(sed -e '5,7d' "$work/plate.x3d") <(sed -e '5,7d' "$source/tests/data/plate.x3d") ||
  fail "the installed program wrote another document"
cmp -s "$work/fresh/facetor.cfg" "$prefix/bin/facetor.cfg" || fail "the conversion changed the settings file"
chmod u+w "$prefix/bin"

entry=$prefix/share/applications/facetor.desktop
grep -qx "Exec=$prefix/bin/facetor %f" "$entry" || fail "the desktop entry runs $(grep ^Exec "$entry")"
grep -qx 'MimeType=image/vnd.dxf;image/x-dxf;' "$entry" || fail "the desktop entry takes other types"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi
if command -v man >/dev/null; then
  warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/facetor.1" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page has faults: $warnings"
fi
echo "passed"
