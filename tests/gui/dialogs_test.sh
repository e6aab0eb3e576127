#!/usr/bin/env bash
# Drives the real program's dialogs on a virtual display of its own, as a desktop user would:
#   1. started without a drawing, the Open prompt is answered with a path, the Save prompt
#      takes the name it offers, and the completion box is closed with Return: exit status 0
#      and the document of the sample drawing;
#   2. the Open prompt cancelled with Escape: exit status 255 and no message at all.
# The user's locale is one with a decimal comma when the system can make one; the dialogs
# switch the program to it, and the document must not change.
#
# usage: dialogs_test.sh FACETOR SAMPLE.dxf GOLDEN.x3d
set -euo pipefail

facetor=$1 sample=$2 golden=$3
work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A desktop of our own: a fresh home, no settings daemon, no accessibility bus.
mkdir -p "$work/home" "$work/runtime" "$work/bin" "$work/drawings"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
unset WAYLAND_DISPLAY

mkdir -p "$work/locales"
if localedef -i de_DE -f UTF-8 -c "$work/locales/de_DE.UTF-8" >/dev/null 2>&1 ||
   [ -d "$work/locales/de_DE.UTF-8" ]; then
  user_locale=(LOCPATH="$work/locales" LC_ALL=de_DE.UTF-8)
else
  user_locale=()
  echo "note: no locale with a decimal comma can be made here; running in the C locale"
fi

# -noreset: by default the server resets when its last client leaves, and drops a client that
# connects meanwhile, so the next program would find no display.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

# The program beside its own settings file, started as a launcher starts it: no terminal.
cp "$facetor" "$work/bin/facetor"
cp "$sample" "$work/drawings/plate.dxf"
start() {
  (cd "$work/drawings" && exec env "${user_locale[@]}" "$work/bin/facetor" </dev/null >"$work/out" 2>"$work/err") &
  program_pid=$!
}
# Waits at most 30 s for the program to end; its exit status goes to $status.
finish() {
  for _ in $(seq 300); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program is still running; stderr: $(cat "$work/err")"
  status=0
  wait "$program_pid" || status=$?
  program_pid=
}
# The window whose title matches, once it is shown and focused; waits at most 30 s.
# A search walks the whole window tree, and GTK creates and destroys windows while a dialog
# comes up: xdotool then dies of an X error (BadWindow) for a window that vanished mid-walk.
# So each search is a single try, and a failed try is simply repeated.
window() {
  local id= deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || id=
    if [ -n "$id" ] && timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null; then
      echo "$id"
      return
    fi
    if ! kill -0 "$program_pid" 2>/dev/null; then
      finish
      fail "the program ended (status $status) before \"$1\" appeared; stderr: $(cat "$work/err")"
    fi
    sleep 0.1
  done
  fail "no window \"$1\"; stderr: $(cat "$work/err")"
}

echo "confirmed: Open prompt, Save prompt, completion box"
start
window '^Select DXF File \(foo\.DXF -> foo\.x3d\) 3DFACE Only Parsable$' >/dev/null
xdotool key ctrl+l
xdotool type --delay 15 "$work/drawings/plate.dxf"
xdotool key Return
window '^Save X3D2\.0 file with Any name You Specify!$' >/dev/null
xdotool key Return
window '^Facetor ' >/dev/null
xdotool key Return
finish
[ "$status" = 0 ] || fail "exit status $status, expected 0; stderr: $(cat "$work/err")"
[ -s "$work/drawings/plate.x3d" ] || fail "no document written"
# The same document as the worked example, but for the clock and the input path.
mask() { sed -e '5,7d' "$1"; }
cmp -s <(mask "$work/drawings/plate.x3d") <(mask "$golden") ||
  fail "the document differs from the worked example: $(diff <(mask "$work/drawings/plate.x3d") <(mask "$golden") | head)"
[ ! -s "$work/err" ] || fail "unexpected standard error: $(cat "$work/err")"

echo "cancelled: Escape on the Open prompt"
rm "$work/drawings/plate.x3d"
start
window '^Select DXF File ' >/dev/null
xdotool key Escape
finish  # a message box would keep the program waiting until this fails
[ "$status" = 255 ] || fail "exit status $status, expected 255"
[ ! -e "$work/drawings/plate.x3d" ] || fail "a document was written"
[ ! -s "$work/err" ] && [ ! -s "$work/out" ] || fail "unexpected output: $(cat "$work/out" "$work/err")"
echo "passed"
