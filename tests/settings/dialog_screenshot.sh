#!/usr/bin/env bash
# Shows the settings dialog of the saver (Quorvale.scr /c) under Wine and saves a picture of
# the whole window, caption included, with the CD repeating track 3 and an MP3 chosen.
#   dialog_screenshot.sh <Quorvale.scr> <out.png>
# Expects the Wine environment (qv_wine_env) and DISPLAY to be set; the display has no window
# manager, so Wine draws the frame and caption itself while the picture is taken.
set -euo pipefail
scr=$1 out=$2
source "$(dirname "$0")/../../tools/lib/common.sh"
work=$(qv_work_dir)
ini=$work/$QV_SETTINGS_FILE_NAME
music=$WINEPREFIX/drive_c/Music/お気に入り/夜明けの海.mp3
x11_key='HKCU\Software\Wine\X11 Driver'

saved=$(mktemp)
had_ini=false; [ -f "$ini" ] && { cp -p "$ini" "$saved"; had_ini=true; }
had_music=false; [ -f "$music" ] && had_music=true
decorated=$(wine reg query "$x11_key" /v Decorated 2>/dev/null | tr -d '\r' | awk '$1 == "Decorated" { print $3 }' || true)
pid=""
restore() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  if $had_ini; then cp -p "$saved" "$ini"; else rm -f "$ini"; fi
  rm -f "$saved"
  $had_music || { rm -f "$music"; rmdir "$(dirname "$music")" "$WINEPREFIX/drive_c/Music" 2>/dev/null; }
  if [ -n "$decorated" ]; then wine reg add "$x11_key" /v Decorated /t REG_SZ /d "$decorated" /f >/dev/null 2>&1
  else wine reg delete "$x11_key" /v Decorated /f >/dev/null 2>&1; fi
  true
}
trap restore EXIT

mkdir -p "$work" "$(dirname "$music")"
$had_music || printf 'ID3' > "$music"  # the dialog shows a chosen file only when it exists
printf '[%s]\r\n%s=1\r\n%s=3\r\n%s=C:\\Music\\お気に入り\\夜明けの海.mp3\r\n' \
  "$QV_SETTINGS_SECTION" "$QV_KEY_BGM_KIND" "$QV_KEY_BGM_REPEAT" "$QV_KEY_BGM_FILE" |
  iconv -f UTF-8 -t CP932 > "$ini"
wine reg add "$x11_key" /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1

wine "$scr" /c >/dev/null 2>&1 &
pid=$!
win=""
for _ in $(seq 1 100); do
  win=$(xdotool search --onlyvisible --name "Quorvale" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "settings dialog not found" >&2; exit 1; }
# The banner runs first in the left box, then in the right one (4.9 s a cycle): after 7 s the
# right box is whole and the left one nearly so, as in the dialog's usual look.
sleep 7
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "saved $out (${WIDTH}x${HEIGHT})"
