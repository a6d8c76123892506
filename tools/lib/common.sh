# Shared by the tools: paths, the Wine environment, and a virtual display that is ours.
# Source it; it defines functions and sets no traps of its own.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QV_BUILD=${QV_BUILD:-$QV_ROOT/build}
QV_DIST=$QV_ROOT/dist
QV_PACKAGES=(
  cmake make g++ git python3
  mingw-w64 g++-mingw-w64-x86-64 wine wine64 xvfb libgl1-mesa-dri mesa-utils
  xdotool x11-apps imagemagick googletest libxxhash-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good sox libsox-fmt-mp3 lame
  fonts-ipafont-gothic fonts-wine locales clang clang-format libclang-rt-14-dev nsis
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
)

qv_log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }

# The names the two programs hand each other, from handoff/handoff.h (handoff_values.sh):
# QV_WORK_FOLDER, QV_SETTINGS_FILE_NAME, QV_RENDERER_WINDOW_TITLE, QV_KEY_WIDTH, ...
_qv_handoff=$("$QV_ROOT/handoff/handoff_values.sh" shell) || { qv_log "cannot read handoff/handoff.h"; exit 1; }
eval "$_qv_handoff"
unset _qv_handoff
# The files a show hands over in the working folder, by name.
QV_HANDOFF_FILES=("$QV_SETTINGS_FILE_NAME" "$QV_DESKTOP_PICTURE_FILE_NAME" "$QV_GLOW_PICTURE_FILE_NAME")

# The working folder as a Unix path inside the Wine prefix (after qv_wine_env).
qv_work_dir() {
  local p=${QV_WORK_FOLDER//\\//}
  local drive=${p%%:*}
  echo "$WINEPREFIX/drive_${drive,,}${p#*:}"
}

# A pattern that matches exactly this window title (for xdotool search --name).
qv_title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g')"; }

# True when the locale (e.g. ja_JP.UTF-8) has been generated. grep reads the whole list: with
# -q an early exit could fail the pipe under pipefail.
qv_has_locale() { locale -a 2>/dev/null | grep -i "^${1%%.*}\.utf-\?8$" >/dev/null; }

# Wine runs in the project's own prefix, with the Japanese ANSI code page (932) unless
# QV_LOCALE names another locale (en_US.UTF-8 gives 1252, zh_CN.UTF-8 936, ko_KR.UTF-8 949,
# hi_IN.UTF-8 UTF-8), and a sound device that needs no sound card.
qv_wine_env() {
  export WINEPREFIX=${QV_WINEPREFIX:-$QV_BUILD/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Only once tools/setup has generated it: naming a missing locale makes every shell complain.
  qv_has_locale "${QV_LOCALE:-ja_JP.UTF-8}" && export LC_ALL=${QV_LOCALE:-ja_JP.UTF-8}
  export ALSA_CONFIG_PATH=${QV_ALSA_CONFIG:-$QV_BUILD/alsa/null.conf}
}

# Starts an Xvfb on a free display number unless one is given; remembers only what it started.
QV_XVFB_PID=""
qv_start_display() {
  local size=${1:-1024x768x24} n
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    QV_XVFB_PID=$!
    local i
    for i in $(seq 1 50); do
      [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=:$n; return 0; }
      kill -0 $QV_XVFB_PID 2>/dev/null || break
      sleep 0.1
    done
    kill $QV_XVFB_PID 2>/dev/null; QV_XVFB_PID=""
  done
  qv_log "could not start a virtual display"; return 1
}

qv_stop_display() {
  if [ -n "$QV_XVFB_PID" ]; then kill "$QV_XVFB_PID" 2>/dev/null; wait "$QV_XVFB_PID" 2>/dev/null; QV_XVFB_PID=""; fi
}

# Ends the Wine server of our own prefix (and with it every Wine process of that prefix).
qv_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  true
}

qv_packages_missing() {
  local p missing=()
  for p in "${QV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]}"
}
