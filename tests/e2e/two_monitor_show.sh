#!/usr/bin/env bash
# The show on two real monitors: starts an X server with the dummy video driver on a free
# display number, turns a second 800x600 output on beside the 1024x768 primary (right of it,
# then left of it, at negative coordinates) and runs the Windows test program under Wine in a
# Wine prefix of its own, once per arrangement. Then a monitor is switched off during a show:
# the show must end without a crash. Stops only the X server and Wine server it started.
#   two_monitor_show.sh <test program> <wine prefix> <dist folder>
# With QV_TWO_MONITOR_SHOT=<file.png> it also saves a screenshot of a show over two desktop
# pictures (the README's).
# Exit 77 (skipped) when no X server with the dummy driver can be started here.
set -uo pipefail
test_exe=$(realpath -m "$1") prefix=$(realpath -m "$2") dist=$(realpath -m "$3")
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tools/lib/common.sh"

command -v Xorg >/dev/null && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "Xorg with the dummy driver is not installed"; exit 77; }

work=$(mktemp -d)
cat > "$work/xorg.conf" <<'CONF'
Section "Device"
  Identifier "qv-dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "qv-monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "qv-screen"
  Device "qv-dummy"
  Monitor "qv-monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1824 768
  EndSubSection
EndSection
CONF

XORG_PID="" SHOW_PID="" DESKTOP_PIDS=()
cleanup() {
  local p
  for p in "${DESKTOP_PIDS[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$SHOW_PID" ] && kill "$SHOW_PID" 2>/dev/null
  [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
  if [ -n "$XORG_PID" ]; then kill "$XORG_PID" 2>/dev/null; wait "$XORG_PID" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

for n in $(seq 150 199); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
  Xorg :$n -config "$work/xorg.conf" -noreset -nolisten tcp -logfile "$work/xorg.log" >/dev/null 2>&1 &
  XORG_PID=$!
  for i in $(seq 1 100); do
    DISPLAY=:$n xrandr >/dev/null 2>&1 && break
    kill -0 $XORG_PID 2>/dev/null || break
    sleep 0.1
  done
  if DISPLAY=:$n xrandr >/dev/null 2>&1; then export DISPLAY=:$n; break; fi
  kill $XORG_PID 2>/dev/null; wait $XORG_PID 2>/dev/null; XORG_PID=""
done
[ -n "$XORG_PID" ] || { echo "could not start Xorg with the dummy driver"; tail -5 "$work/xorg.log" 2>/dev/null; exit 77; }

# A prefix of its own: a Wine server keeps the display it started on.
QV_WINEPREFIX=$prefix "$root/tools/setup" >/dev/null 2>&1 || { echo "cannot prepare $prefix"; exit 1; }
QV_WINEPREFIX=$prefix qv_wine_env
# As on a desktop: no waiting for a window manager when a full-screen window goes.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null

xrandr --addmode DUMMY1 800x600 || { echo "the dummy driver has no second output"; exit 1; }

# Each arrangement gets a Wine server session of its own. Wine reads the outputs as the X
# server last probed them, so a full xrandr query goes first.
new_arrangement() {
  xrandr >/dev/null
  wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
  wineserver -p
  wine "$test_exe" --gtest_filter='TwoMonitorDisplay.*' >/dev/null 2>&1 || { echo "Wine does not see both monitors"; return 1; }
}

status=0
for place in right-of left-of; do
  echo "== secondary monitor $place the primary"
  xrandr --output DUMMY1 --mode 800x600 --$place DUMMY0 || { status=1; continue; }
  new_arrangement || { status=1; continue; }
  wine "$test_exe" --gtest_filter='TwoMonitorShow.*' || status=1
done

echo "== a monitor switched off during a show"
xrandr --output DUMMY1 --mode 800x600 --right-of DUMMY0
new_arrangement || status=1
if [ -n "${QV_TWO_MONITOR_SHOT:-}" ]; then
  for k in 0 1; do
    convert -size "$([ $k = 0 ] && echo 1024x768 || echo 800x600)" gradient:"$([ $k = 0 ] && echo '#1d4f91-#9fd3f0' || echo '#6a1b9a-#f8bbd0')" \
      -fill '#fafafa' -draw 'rectangle 40,40 380,200' -fill '#202020' -font DejaVu-Sans -pointsize 30 \
      -draw "text 60,100 'Monitor $((k + 1))'" -fill '#ffffff' -pointsize 48 -draw "text 200,500 'THIS SIDE UP'" \
      "$work/desktop$k.png"
    display -geometry "+$((k * 1024))+0" "$work/desktop$k.png" >/dev/null 2>&1 &
    DESKTOP_PIDS+=($!)
  done
  sleep 3
fi
wine "$dist/Quorvale.scr" /s >"$work/show.log" 2>&1 &
SHOW_PID=$!
renderer_window() { xdotool search --name "$(qv_title_pattern "$QV_RENDERER_WINDOW_TITLE")" >/dev/null 2>&1; }
for i in $(seq 1 300); do renderer_window && break; sleep 0.1; done
if ! renderer_window; then
  echo "FAILED: no show started"; status=1
else
  if [ -n "${QV_TWO_MONITOR_SHOT:-}" ]; then
    sleep 4.7
    import -window root "$QV_TWO_MONITOR_SHOT" && echo "screenshot: $QV_TWO_MONITOR_SHOT"
  else
    sleep 2
  fi
  xrandr --output DUMMY1 --off; xrandr >/dev/null
  for i in $(seq 1 150); do renderer_window || break; sleep 0.1; done
  if renderer_window; then
    echo "FAILED: the show went on after its monitor was switched off"; status=1
  else
    echo "the show ended when the monitor went"
  fi
  for i in $(seq 1 100); do kill -0 $SHOW_PID 2>/dev/null || break; sleep 0.1; done
  if kill -0 $SHOW_PID 2>/dev/null; then echo "FAILED: the saver outlived the show"; status=1; else SHOW_PID=""; fi
  if grep -q "Unhandled" "$work/show.log"; then echo "FAILED: a program crashed:"; grep "Unhandled" "$work/show.log"; status=1; fi
fi
for p in "${DESKTOP_PIDS[@]}"; do kill "$p" 2>/dev/null; done; DESKTOP_PIDS=()

[ $status = 0 ] && echo "two-monitor show: passed" || echo "two-monitor show: FAILED"
exit $status
