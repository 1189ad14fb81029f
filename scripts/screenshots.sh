#!/bin/bash
# Renders the product's windows into PNG files: Xvfb on DISPLAY (default :91)
# and Wine's X11 driver in a prefix of its own that never had the null
# graphics driver (a prefix that did keeps every window undrawn).
#
#   scripts/screenshots.sh [build folder] [scene...]
#
# Each scene is a file scripts/screenshot-scenes/<scene>.sh that defines
# `show_scene`: it starts the window in the background (with `wine`, `build`,
# `scratch` and `winpath` at hand) and prints the caption of the window to
# take. Without scene names every scene is taken. The pictures go to
# docs/screenshots/<scene>.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
shift || true
out="$here/../docs/screenshots"
scenes=("$@")
if [ ${#scenes[@]} -eq 0 ]; then
  for file in "$here"/screenshot-scenes/*.sh; do scenes+=("$(basename "$file" .sh)"); done
fi

for tool in Xvfb xwd xwininfo /usr/bin/convert; do
  command -v "$tool" >/dev/null || {
    apt-get install -y xvfb x11-apps x11-utils imagemagick >/dev/null
    break
  }
done

export DISPLAY="${SCREENSHOT_DISPLAY:-:91}"
export WINEPREFIX="$build/screenshot-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
scratch=$(mktemp -d)
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
sleep 1
if [ ! -f "$WINEPREFIX/.ready" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  touch "$WINEPREFIX/.ready"
fi
mkdir -p "$out"

for scene in "${scenes[@]}"; do
  # shellcheck source=/dev/null
  . "$here/screenshot-scenes/$scene.sh"
  caption=$(show_scene)
  id=
  for _ in $(seq 1 150); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1}' | head -n 1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "$scene: no window \"$caption\"" >&2; exit 1; }
  sleep 1  # drawn
  xwd -id "$id" -frame -silent | /usr/bin/convert xwd:- "$out/$scene.png"
  echo "$scene: $out/$scene.png"
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
done
