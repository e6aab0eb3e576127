#!/usr/bin/env bash
# CI of the Windows program: cross-builds the 32-bit program (the release artifact) and a
# 64-bit one, checks the 32-bit executable's format, subsystem, imports and string table, runs
# the unit tests under the 64-bit wine, and converts the sample drawing with the 64-bit program
# under wine, comparing the document with the Linux program's; finally drives the Open and Save
# prompts and the completion report on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
started=$SECONDS

apt-get update
apt-get install -y --no-install-recommends cmake ninja-build g++ googletest libxml2-utils \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 wine wine64 \
  xvfb xdotool

fail() {
  echo "windows CI: $*" >&2
  exit 1
}

# --- Builds -------------------------------------------------------------------------------
cmake -S . -B build-win32 -G Ninja -DFACETOR_WERROR=ON -DFACETOR_TESTS=OFF -DFACETOR_TOOLS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-w64-mingw32.cmake
cmake --build build-win32
cmake -S . -B build-win64 -G Ninja -DFACETOR_WERROR=ON -DFACETOR_TOOLS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake
cmake --build build-win64
# The Linux program, whose documents the Windows program must reproduce byte for byte.
cmake -S . -B build-windows-ref -G Ninja -DFACETOR_TESTS=OFF -DFACETOR_TOOLS=OFF -DFACETOR_GTK=OFF
cmake --build build-windows-ref --target facetor

# --- The 32-bit executable ----------------------------------------------------------------
exe=build-win32/facetor.exe
objdump=i686-w64-mingw32-objdump
$objdump -f "$exe" | grep -q 'file format pei-i386' || fail "$exe is not a 32-bit PE file"
headers=$($objdump -p "$exe")
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "$exe is not a GUI program"
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print tolower($3)}' | sort | tr '\n' ' ')
[ "$imports" = "comdlg32.dll kernel32.dll msvcrt.dll user32.dll " ] ||
  fail "$exe imports $imports"
# String resources 130 and 131 lie in block 9 of the string table (type 6), beside the
# version information (type 16).
grep -q 'Entry: ID: 0x000006' <<<"$headers" || fail "$exe has no string table"
grep -q 'Entry: ID: 0x000009' <<<"$headers" || fail "$exe has no string block 9"
grep -q 'Entry: ID: 0x000010' <<<"$headers" || fail "$exe has no version information"
exe_hex=$(od -An -v -tx1 "$exe" | tr -d ' \n')
for text in 'DXF Files (*.dxf)|*.dxf|All Files(*.*)|*.*|' \
  'X3D Files (*.x3d)|*.x3d|All Files(*.*)|*.*|'; do
  text_hex=$(printf '%s' "$text" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -d ' \n')
  grep -q "$text_hex" <<<"$exe_hex" || fail "$exe lacks the string \"$text\""
done
echo "$exe: pei-i386, GUI subsystem, imports $imports, string table present"

# --- A wine prefix for this run -----------------------------------------------------------
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
WINEPREFIX=$(mktemp -d)
export WINEPREFIX
unset DISPLAY WAYLAND_DISPLAY
keeper=
cleanup() {
  [ -n "$keeper" ] && kill "$keeper" 2>/dev/null
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineserver -p
if ! "$wine" wineboot -i; then
  sleep 2
  "$wine" wineboot -i || fail "wineboot failed twice"
fi

# A program that uses the desktop starts wine's desktop and RPC processes, which inherit its
# output and outlive it by some seconds; ctest would wait for them after a test. They are
# started here by a program whose output goes nowhere and kept busy until the tests are done.
list_tests() {
  "$wine" build-win64/tests/facetor_tests.exe --gtest_list_tests >/dev/null 2>&1 </dev/null
}
list_tests || fail "the tests do not start under wine"
(
  while sleep 3; do list_tests; done
) &
keeper=$!

# --- Unit tests ---------------------------------------------------------------------------
ctest --test-dir build-win64 --output-on-failure -j2
kill "$keeper" 2>/dev/null
wait "$keeper" 2>/dev/null || true
keeper=

# --- End to end: the 64-bit program under wine against the Linux program -------------------
work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT
mkdir -p "$work/win/bin" "$work/win/data/with blanks" "$work/linux/bin" "$work/linux/data"
cp build-win64/facetor.exe "$work/win/bin/"
cp build-windows-ref/facetor "$work/linux/bin/"
for dir in "$work/win/data" "$work/linux/data"; do
  cp examples/plate.dxf "$dir/plate.dxf"
  cp examples/plate.dxf "$dir/my plate.dxf"
done
cp examples/plate.dxf "$work/win/data/with blanks/plate.dxf"

# Runs the Windows program in the Windows data folder; prints its exit status.
run_windows() {
  local status=0
  (cd "$work/win/data" && "$wine" "$work/win/bin/facetor.exe" "$@" </dev/null >/dev/null 2>&1) ||
    status=$?
  echo "$status"
}
unclocked() { grep -v -e "<meta name='ExportTime'" -e "<meta name='ExportDate'" "$1"; }

(cd "$work/linux/data" && "$work/linux/bin/facetor" plate.dxf >/dev/null &&
  "$work/linux/bin/facetor" "my plate.dxf" >/dev/null)

# Converts with the Windows program and compares the document with the Linux program's.
convert_and_compare() {
  local out="${1%.dxf}.x3d" status
  status=$(run_windows "$@")
  [ "$status" = 0 ] || fail "converting $* exited with $status"
  cmp <(unclocked "$work/win/data/$out") <(unclocked "$work/linux/data/$out") ||
    fail "$out differs from the Linux program's"
  [ "$(grep -c -e ExportTime -e ExportDate "$work/win/data/$out")" = 2 ] ||
    fail "$out lacks its time and date"
}
convert_and_compare plate.dxf
# A name with a blank reaches the program quoted, as a dropped file does: the path ends at the
# closing quote, and what follows it is ignored.
convert_and_compare "my plate.dxf" ignored.dxf
cmp "$work/win/bin/facetor.cfg" "$work/linux/bin/facetor.cfg" ||
  fail "the settings file differs from the Linux program's"

# A full path with blanks and without extension.
full_path=$(winepath -w "$work/win/data/with blanks/plate")
status=$(run_windows "$full_path")
[ "$status" = 0 ] || fail "converting $full_path exited with $status"
[ -s "$work/win/data/with blanks/plate.x3d" ] || fail "no document for $full_path"

# A missing drawing, and no drawing at all: with no display the box returns at once and the
# Open prompt answers nothing.
status=$(run_windows missing.dxf)
[ "$status" = 255 ] || fail "a missing drawing exited with $status"
status=$(run_windows)
[ "$status" = 255 ] || fail "a run without drawing exited with $status"

# --- The dialogs, driven on a virtual display ----------------------------------------------
# wine's desktop runs without display until now: it is restarted on the virtual one.
wineserver -k 2>/dev/null || true
wineserver -w
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
# -noreset: the server would otherwise reset, dropping newcomers, whenever its last client left.
Xvfb ":$display" -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; cleanup; rm -rf "$work"' EXIT
export DISPLAY=":$display"
wineserver -p
# Waits for a visible window whose title starts with $1 (a pattern) and is exactly $2, and
# gives it the keyboard. Windows come and go while a dialog is built, and xdotool dies of an
# X error for one that vanishes under it, so every step is retried until the deadline.
focus() {
  local window name deadline=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.5
    window=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1) || window=
    [ -n "$window" ] || continue
    name=$(xdotool getwindowname "$window" 2>/dev/null) || continue
    [ "$name" = "$2" ] || fail "a window is titled \"$name\", not \"$2\""
    sleep 0.5
    timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null && return
  done
  fail "no window \"$2\" appeared"
}
mkdir "$work/gui"
cp examples/plate.dxf "$work/gui/plate.dxf"
(cd "$work/gui" && "$wine" "$work/win/bin/facetor.exe" </dev/null >/dev/null 2>&1
  echo $? >"$work/gui/status") &
focus 'Select DXF File' 'Select DXF File (foo.DXF -> foo.x3d) 3DFACE Only Parsable'
xdotool type --delay 20 plate.dxf
xdotool key Return
# The Save prompt offers the derived name; a name typed without extension gets ".x3d".
focus 'Save X3D2' 'Save X3D2.0 file with Any name You Specify!'
xdotool key ctrl+a BackSpace
xdotool type --delay 20 chosen
xdotool key Return
focus 'Facetor' 'Facetor - DXF 3DFACE to X3D converter'
[ -s "$work/gui/chosen.x3d" ] || fail "the document is not complete while the report shows"
xdotool key Return
for _ in $(seq 1 60); do [ -s "$work/gui/status" ] && break; sleep 0.5; done
[ "$(cat "$work/gui/status" 2>/dev/null)" = 0 ] || fail "the dialog run did not exit with 0"
cmp <(unclocked "$work/gui/chosen.x3d" | grep -v "<meta name='OriginalFile'") \
  <(unclocked "$work/linux/data/plate.x3d" | grep -v "<meta name='OriginalFile'") ||
  fail "the document chosen in the dialogs differs from the Linux program's"
echo "the Open prompt, the Save prompt and the completion report work on a display"
kill "$xvfb" 2>/dev/null || true
unset DISPLAY

echo "windows CI: passed in $((SECONDS - started)) s"
