#!/usr/bin/env bash
# Plays a wave file through the game's sound layer (libcanberra) into a private sound
# server and checks with sox that the whole clip was heard, and that the player waited
# for it before it ended. Usage: sound_heard.sh PLAYER WAVE
# shellcheck source=../support/desktop_session.sh
source "$(dirname "$0")/../support/desktop_session.sh"
start_sound
start=${EPOCHREALTIME/./}
"$1" "$2"
took=$(printf %.3f "$((${EPOCHREALTIME/./} - start))e-6")
heard_whole "$2" 0
awk -v w="$(audible "$2")" -v t="$took" 'BEGIN { exit !(t >= w) }' ||
    fail "the player returned after ${took}s, before its clip ended"
