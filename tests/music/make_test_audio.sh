#!/usr/bin/env bash
# Writes the music tests' audio into $1: a 2-second tone as WAV and MP3, a 2-second MP3 that
# ends in 0.5 s of silence, a 1-second WAV for the loop, and copies of the MP3 under names
# with a blank, Japanese, and Korean (which the Japanese code page cannot hold).
set -euo pipefail
out=$1
mkdir -p "$out/with space"
sox -n -r 44100 -c 2 "$out/tone.wav" synth 2 sine 440 vol 0.5
sox -n -r 44100 -c 2 "$out/short.wav" synth 1 sine 660 vol 0.5
lame --quiet -b 128 "$out/tone.wav" "$out/tone.mp3"
sox -n -r 44100 -c 2 "$out/tone_quiet.wav" synth 1.5 sine 440 vol 0.5 pad 0 0.5
lame --quiet -b 128 "$out/tone_quiet.wav" "$out/tone_quiet.mp3"
cp "$out/tone.mp3" "$out/with space/tone copy.mp3"
cp "$out/tone.mp3" "$out/音楽テスト.mp3"
cp "$out/tone.mp3" "$out/음악.mp3"
