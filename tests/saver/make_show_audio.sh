#!/usr/bin/env bash
# Writes the show test's music into $1 (a 1-second tone as MP3 and WAV, so the repeat runs)
# and an ALSA configuration whose default device records what is played into $1/played.raw.
set -euo pipefail
out=$1
mkdir -p "$out"
sox -n -r 44100 -c 2 "$out/tone.wav" synth 1 sine 440 vol 0.5
lame --quiet -b 128 "$out/tone.wav" "$out/tone.mp3"
cat > "$out/record.conf" <<CONF
pcm.!default { type file; slave { pcm { type null } }; file "$out/played.raw"; format "raw" }
ctl.!default { type hw card 0 }
CONF
