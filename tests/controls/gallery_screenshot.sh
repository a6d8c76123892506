#!/usr/bin/env bash
# Shows the controls gallery under Wine and saves a picture of its window.
#   gallery_screenshot.sh <controls_gallery.exe> <out.png>
# Expects the Wine environment (qv_wine_env) and DISPLAY to be set.
set -euo pipefail
exe=$1 out=$2
wine "$exe" 8 >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --name "Quorvale controls" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "gallery window not found" >&2; exit 1; }
sleep 3  # the states are arranged and painted
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
wait $pid
trap - EXIT
echo "saved $out (${WIDTH}x${HEIGHT})"
