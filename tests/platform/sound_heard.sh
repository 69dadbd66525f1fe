#!/usr/bin/env bash
# Plays a wave file through the game's sound layer (libcanberra) into a private
# PulseAudio server whose only sink writes what it mixes to a pipe, and checks with sox
# that the whole clip was heard. Usage: sound_heard.sh PLAYER WAVE
set -euo pipefail
player=$1
wave=$2
tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# A sound server of our own, whatever the machine has (CI has none).
export XDG_RUNTIME_DIR=$tmp HOME=$tmp PULSE_RUNTIME_PATH=$tmp/pulse
export PULSE_SERVER=unix:$tmp/pulse/native
unset DISPLAY
mkfifo "$tmp/sink"
cat "$tmp/sink" >"$tmp/heard.raw" &
pids+=($!)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    -L module-native-protocol-unix \
    -L "module-pipe-sink sink_name=dz file=$tmp/sink format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" \
    2>"$tmp/pulse.log" &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink dz

start=$(date +%s.%N)
"$player" "$wave"
took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
sleep 0.3

# Compare the audible part of the clip with the audible part of what the sink mixed.
trim() { sox "$@" silence 1 0.002 0.5% reverse silence 1 0.002 0.5% reverse; }
trim "$wave" "$tmp/clip.wav"
trim -t raw -r 44100 -e signed -b 16 -c 1 "$tmp/heard.raw" "$tmp/got.wav"
want=$(soxi -D "$tmp/clip.wav")
got=$(soxi -D "$tmp/got.wav")
echo "audible clip ${want}s, heard ${got}s; the player returned after ${took}s"
# Heard whole, and the player waited for it before it ended.
awk -v w="$want" -v g="$got" -v t="$took" \
    'BEGIN { d = w - g; if (d < 0) d = -d; exit !(w > 0.05 && d < 0.03 && t >= w) }'
