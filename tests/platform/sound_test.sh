#!/usr/bin/env bash
# The built program, copied beside wave files of our own, on a private X and sound server.
# A stopped sound server must neither freeze the window nor keep the program from ending;
# with the server running, a new sound cuts the one playing, a missing wave file plays the
# bell, and the closing sound holds the program no longer than it lasts, nor over 3 s.
# Usage: sound_test.sh PROGRAM CLOSE_WINDOW_TOOL
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/desktop_session.sh
source "$here/../support/desktop_session.sh"
close_window=$2
start_x
start_sound
mkdir -p "$XDG_DATA_HOME/DirIziVur" "$tmp/game"
printf '[Contest]\r\nShow=True\r\n' >"$XDG_DATA_HOME/DirIziVur/DirIziVur.ini"
cp "$1" "$(dirname "$1")"/*.Wav "$tmp/game"
# A steady level of 0.3 for a second: two copies that overlap add up to twice that.
sox -n -r 44100 -c 1 -b 16 "$tmp/game/NewGame.Wav" synth 1 sine 0 dcshift 0.3
rm "$tmp/game/EndProgram.Wav"

# start_with_sound: the game started with sound switched on in Options; sets main.
start_with_sound() {
    start_game game "$tmp/game/dirizivur"
    expect_window "Tarn's DirIziVur"
    main=$win
    keys "$main" Tab space
    expect_window Options
    keys "$win" Return
    expect_gone "$win" "the options dialog after Return"
}
# level BYTES: the peak level of the last BYTES the sink heard.
level() {
    tail -c "$1" "$tmp/heard.raw" |
        sox -t raw -r 44100 -e signed -b 16 -c 1 - -n stat 2>&1 | awk '/^Maximum amp/ { print $3 }'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
quiet() { below "$(level 8820)" 0.01; }

kill -STOP "$pulse_pid"
start_with_sound
keys "$main" alt+n alt+n alt+n
"$close_window" "$main"
game_ends 3
kill -CONT "$pulse_pid"
log "a stopped sound server held neither the window nor the program's end"

start_with_sound
start=$(stat -c %s "$tmp/heard.raw")
keys "$main" alt+n
wait_for 5 heard 0.3 "$start" || fail "the first New Game is not heard"
keys "$main" alt+n
wait_for 5 heard 1.2 "$start" || fail "the second New Game is not heard (${got:-0}s in all)"
peak=$(level $(($(stat -c %s "$tmp/heard.raw") - start)))
below "$peak" 0.45 || fail "the two sounds overlap: level $peak"
log "a new sound cut the one playing (level $peak)"
# Once all is quiet, nothing but the request itself may wake the sound worker.
wait_for 5 quiet || fail "the sink never falls quiet"
start=$(stat -c %s "$tmp/heard.raw")
"$close_window" "$main"
wait_for 5 heard 0.1 "$start" || fail "no bell for the missing EndProgram.Wav"
game_ends 2

# A closing sound of ten seconds holds the program for three at most.
sox -n -r 44100 -c 1 -b 16 "$tmp/game/EndProgram.Wav" synth 10 sine 440 vol 0.3
start_with_sound
"$close_window" "$main"
game_ends 5
