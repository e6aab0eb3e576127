#!/usr/bin/env bash
# Real consumers of facetor's documents, and a real independent DXF writer:
# - drawings written by ezdxf's fast R12 writer (LF and CR LF) convert with every face present;
# - every document is valid X3D 3.0 (schema and DTD), loads in tovrmlx3d without warnings
#   (but those about the quoted viewpoint descriptions, which are the documents' fixed text),
#   imports in assimp as one triangle mesh per color with the document's triangle counts,
#   and renders in view3dscene under Xvfb with each material's color on screen.
#
#   bash .ci/consumers.sh           run the checks (uses ./build, building it when absent)
#   bash .ci/consumers.sh --docs    also render docs/plate.png from examples/plate.dxf
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
repo=$PWD
python=/usr/bin/python3 # Debian's, with python3-ezdxf and python3-pil
helper=$repo/tests/consumers/consumers.py
started=$SECONDS

apt_install() {
  apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "$@" >/dev/null
}
apt-get update -qq -o DPkg::Lock::Timeout=600
apt_install view3dscene assimp-utils python3-ezdxf python3-pil xvfb libgl1-mesa-dri \
  libxml2-utils
if [ ! -x build/facetor ] || [ ! -x build/dxfgen ]; then
  apt_install cmake ninja-build g++ pkg-config libgtk-3-dev libgtest-dev
  cmake -S . -B build -G Ninja && cmake --build build
fi
echo "consumers: packages and build ready after $((SECONDS - started)) s"

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A copy of the binary, so that its settings file is the default one it writes on first run.
mkdir "$work/bin" "$work/docs"
cp build/facetor "$work/bin/"
cfg=$work/bin/facetor.cfg
docs=$work/docs
convert() { # DRAWING.dxf: converts it beside itself, then keeps the document in $docs
  "$work/bin/facetor" "$1" >/dev/null
  mv "${1%.dxf}.x3d" "$docs/"
}

# The documents: the golden one, the sample drawing, ezdxf's drawings and a dxfgen drawing
# whose colors above 12 take random materials.
cp tests/data/plate.x3d "$docs/golden.x3d"
cp examples/plate.dxf "$work/plate.dxf"
convert "$work/plate.dxf"
mkdir "$work/ezdxf"
$python "$helper" drawings "$work/ezdxf"
for drawing in "$work"/ezdxf/*.dxf; do convert "$drawing"; done
build/dxfgen --faces 400 --colors 20 --spread --seed 7 "$work/spread.dxf" >/dev/null
convert "$work/spread.dxf"

# Every face ezdxf wrote is in the document, and CR LF reads exactly like LF.
for doc in "$docs"/*-lf.x3d "$docs"/*-crlf.x3d; do
  $python "$helper" triangles "$doc" "$work/ezdxf/expected.json"
done
for lf in "$docs"/*-lf.x3d; do
  diff <(grep -v '<meta ' "$lf") <(grep -v '<meta ' "${lf%-lf.x3d}-crlf.x3d") >/dev/null ||
    { echo "consumers: ${lf##*/} and its CR LF twin differ" >&2; exit 1; }
done
# The flat drawing is the one whose scale box has T = 0.
grep -q "string='\"x:0 y:0 z:0\"'" "$docs/flat-lf.x3d" ||
  { echo "consumers: flat-lf.x3d has no scale box at T = 0" >&2; exit 1; }

sh tests/validate_documents.sh tests/x3d-schemas "$docs"

# tovrmlx3d: the one warning allowed is about the viewpoints' descriptions, which facetor
# writes in double quotes inside the attribute; the viewer strips them.
allowed=$work/allowed-warnings
for description in Front/Before Front2; do
  printf '%s\n' "tovrmlx3d: Warning: X3D: X3D XML: found extra quotes around SFString value. \
Assuming this is a mistake, and stripping quotes from '\"$description\"'. Fix your model: \
SFString field values should not be enclosed in extra quotes!"
done >"$allowed"
loaded=0
filtered=0
for doc in "$docs"/*.x3d; do
  if ! timeout 120 tovrmlx3d "$doc" --encoding=classic >/dev/null 2>"$work/log"; then
    cat "$work/log" >&2
    echo "consumers: tovrmlx3d cannot load ${doc##*/}" >&2
    exit 1
  fi
  if grep -vxF -f "$allowed" "$work/log" >&2; then
    echo "consumers: tovrmlx3d warns about ${doc##*/}" >&2
    exit 1
  fi
  loaded=$((loaded + 1))
  filtered=$((filtered + $(grep -cxF -f "$allowed" "$work/log" || true)))
done
echo "consumers: tovrmlx3d loads $loaded documents; its only warnings, $filtered in all," \
  "are the allowed ones about the quoted viewpoint descriptions"

for doc in "$docs"/*.x3d; do $python "$helper" assimp "$doc"; done

# Renders under a private X server, with a private HOME for the viewer's settings.
export HOME=$work/home
mkdir "$HOME"
exec 3>"$work/display"
# -noreset: otherwise the server resets, dropping newcomers, whenever its last client leaves.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 2>"$work/xvfb.log" &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

sed "s/^tovrmlx3d:/view3dscene:/" "$allowed" >"$work/allowed-view3dscene"
render() { # SCENE PNG SIZE [OPTIONS...]
  local scene=$1 png=$2 size=$3
  shift 3
  rm -f "$png"
  if ! timeout 120 view3dscene "$scene" --screenshot 0 "$png" --geometry "$size" "$@" \
    >"$work/log" 2>&1 ||
    grep -vxF -f "$work/allowed-view3dscene" "$work/log" >&2 || [ ! -s "$png" ]; then
    echo "consumers: view3dscene did not render ${scene##*/} cleanly" >&2
    exit 1
  fi
}
# In 400 x 300 pixels every color below covers about 5000 pixels; a lost triangle of the plate
# or of a panel takes 1200 or more.
min_pixels=4000
render "$docs/plate.x3d" "$work/plate.png" 400x300
$python "$helper" pixels "$work/plate.png" "$cfg" $min_pixels 1
render "$docs/panels-lf.x3d" "$work/panels.png" 400x300
$python "$helper" pixels "$work/panels.png" "$cfg" $min_pixels 1 2 4 5 6
# With T = 0 both viewpoints stand in the drawing's own plane; look down on it instead.
$python "$helper" above "$docs/flat-lf.x3d" "$docs/flat-above.x3d"
render "$docs/flat-above.x3d" "$work/flat.png" 400x300
$python "$helper" pixels "$work/flat.png" "$cfg" $min_pixels 1 2 5

if [ "${1:-}" = --docs ]; then
  mkdir -p docs
  render "$docs/plate.x3d" docs/plate.png 800x600 --viewpoint 1 --anti-alias 4
  echo "consumers: wrote docs/plate.png ($(stat -c %s docs/plate.png) bytes)"
fi
echo "consumers: every check passed in $((SECONDS - started)) s"
