#!/usr/bin/env bash
# Takes the screenshots of the desktop dialogs shown in the README: the Open prompt, the Save
# prompt, the completion report and an error message, each in its window frame.
# Needs Xvfb, openbox (for the frames), xdotool and ImageMagick's import.
#
# usage: tools/dialog_screenshots.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail

build=$(realpath "$1") out=$(realpath "$2")
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/home" "$work/runtime" "$work/bin" "$work/drawings"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
# -noreset: otherwise the server resets, dropping newcomers, whenever its last client leaves.
Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$work/display")
openbox >/dev/null 2>&1 &
sleep 1

cp "$build/facetor" "$work/bin/facetor"
cp "$root/examples/plate.dxf" "$work/drawings/plate.dxf"
cp "$root/examples/plate.dxf" "$work/drawings/bracket.dxf"

# Shows the window whose title matches, lets it settle and shoots it with its frame.
shoot() {
  local id=
  # One try at a time: xdotool dies of an X error when a window vanishes mid-search.
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || id=
    [ -z "$id" ] || break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "no window \"$1\"" >&2; exit 1; }
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  sleep 1.5
  import -silent -frame -window "$id" "$out/$2"
  echo "$out/$2"
}

cd "$work/drawings"
"$work/bin/facetor" </dev/null &
program=$!
shoot '^Select DXF File ' dialog-open.png
xdotool key ctrl+l
xdotool type --delay 15 "$work/drawings/plate.dxf"
xdotool key Return
shoot '^Save X3D2\.0 file ' dialog-save.png
xdotool key Return
shoot '^Facetor ' dialog-completed.png
xdotool key Return
wait "$program" || true

"$work/bin/facetor" missing.dxf </dev/null &
program=$!
shoot '^Facetor ' dialog-error.png
xdotool key Return
wait "$program" || true
