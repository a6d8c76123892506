#!/usr/bin/env bash
# Records what the music module plays through an ALSA `file` device of this test's own and
# checks it with sound_probe: an MP3 repeated by the one-second check, then a looping WAV.
#   sound_really_plays.sh <sound_probe.exe> <audio folder> <work folder>
set -euo pipefail
probe=$1 audio=$2 work=$3
mkdir -p "$work"
winpath() { echo "Z:${1//\//\\}"; }

run() {  # mode, music file
  local rec="$work/$1.raw"
  rm -f "$rec"; : > "$rec"
  cat > "$work/alsa-$1.conf" <<CONF
pcm.!default { type plug slave { pcm "record" format S16_LE rate 44100 channels 2 } }
pcm.record { type file slave { pcm { type null } } file "$rec" format "raw" }
ctl.!default { type hw card 0 }
CONF
  echo "== $1: $2"
  local rc=0
  # Output goes through a file: Wine's helper processes may outlive the probe and would
  # otherwise hold the test's pipe open.
  ALSA_CONFIG_PATH="$work/alsa-$1.conf" wine "$probe" "$1" "$(winpath "$2")" "$(winpath "$rec")" \
    </dev/null >"$work/$1.log" 2>&1 || rc=$?
  grep -v '^ALSA lib' "$work/$1.log" || true
  echo "recorded $(stat -c %s "$rec") bytes; probe exit $rc"
  return $rc
}

status=0
run mp3 "$audio/tone_quiet.mp3" || status=1
run wav "$audio/short.wav" || status=1
exit $status
