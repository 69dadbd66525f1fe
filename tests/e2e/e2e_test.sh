#!/usr/bin/env bash
# The game as a person meets it: installed into a prefix that is then moved, its desktop
# files checked by the desktop's validators, and the installed program played on an X
# server and a sound server of the test's own, by keys and clicks through xdotool. Windows
# are told apart by their titles; the files are checked on disk, the sounds by what the
# sink heard; and the game may print nothing on the terminal. A missing tool skips the
# test (77). Usage: e2e_test.sh BUILD_DIR CLOSE_WINDOW_TOOL
set -Eeuo pipefail
for tool in Xvfb xdotool xwininfo import pulseaudio pactl sox desktop-file-validate appstreamcli; do
    command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
tmp=$(mktemp -d "${TMPDIR:-/tmp}/dz-e2e.XXXXXX")
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM QT_SCALE_FACTOR
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_DATA_HOME=$tmp/data LC_ALL=C.UTF-8
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"
files=$XDG_DATA_HOME/DirIziVur close_window=$(realpath "$2") pids=() game_pid=""
trap 'rc=$?; kill -KILL ${game_pid:+"$game_pid"} "${pids[@]}"; wait; [ $rc != 0 ] || rm -rf "$tmp"' EXIT
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
log() { echo "[$SECONDS s] $*"; }
fail() { trap - ERR && log "FAIL: $*; see $tmp" && import -window root "$tmp/failure.png"; exit 1; }
# wait_for SECONDS COMMAND...: retries COMMAND until it succeeds or time is up.
wait_for() { local end=$((SECONDS + $1)); until "${@:2}"; do [ $SECONDS -lt $end ] || return 1; sleep 0.05; done; }
not() { ! "$@"; }
xdo() { timeout 10 xdotool "$@" 2>/dev/null; }
# window TITLE [NOT]: a visible window titled exactly TITLE other than NOT; sets win.
window() { for w in $(xdo search --onlyvisible --name .); do [ "$w" != "${2:-}" ] && [ "$(xdo getwindowname "$w")" = "$1" ] && win=$w && return; done; false; }
expect_window() { wait_for 15 window "$@" || fail "no window \"$1\""; }
expect_gone() { wait_for 10 not window "$1" "${2:-}" || fail "\"$1\" stays open"; }
keys() { xdo windowfocus --sync "$1" && xdo key --delay 40 "${@:2}"; }
expect_bytes() { cmp -s "$1" <(printf '%s' "$2") || fail "${1##*/} holds $(od -c "$1")"; }
# start NAME: the installed game, its output in NAME.log; sets main.
start() { "$prefix/games/dirizivur" >"$tmp/$1.log" 2>&1 & game_pid=$! && expect_window "Tarn's DirIziVur" && main=$win; }
# ends SECONDS: the game ends by itself in time, with status 0 and nothing said.
ends() { wait_for "$1" not kill -0 "$game_pid" 2>/dev/null || fail "the game still runs after $1 s"
    wait "$game_pid" || fail "the game ended with status $?"; game_pid=''; [ ! -s "$tmp/$2.log" ] || fail "the game printed: $(cat "$tmp/$2.log")"; }
# sound_on: Tab from New Game to Options, Space, Return on its defaults (sound on).
sound_on() { keys "$main" Tab space && expect_window Options && keys "$win" Return && expect_gone Options; }
name() { expect_window "I need your name" && xdo windowfocus --sync "$win" && xdo type "$1" && xdo key Return; }
# close_list NAME: the list stays after the main window, and Return on it ends the game.
close_list() { expect_window "Tarn's DirIziVur" "$main" && expect_gone "Tarn's DirIziVur" "$win" &&
    keys "$win" Return && ends 10 "$1"; }
# What the sink heard from byte START on: audible seconds, and the peak level.
mark() { start=$(stat -c %s "$tmp/heard.raw"); }
sink() { tail -c +$((start + 1)) "$tmp/heard.raw" | sox -t raw -r 44100 -e signed -b 16 -c 1 - "$tmp/p.wav" "$@"; }
audible() { sox "$1" "$tmp/t.wav" silence 1 0.002 0.5% reverse silence 1 0.002 0.5% reverse && soxi -D "$tmp/t.wav"; }
heard() { sink && awk -v w="$1" -v g="$(audible "$tmp/p.wav")" 'BEGIN { exit !(g > w - 0.1) }'; }

log "== installed into a moved prefix"
prefix=$tmp/moved share=$tmp/moved/share id=example.dirizivur.DirIziVur
cmake --install "$1" --prefix "$tmp/stage" >/dev/null && mv "$tmp/stage" "$prefix"
for wave in NewGame Error TieGame PlayerWin ComputerWin EndProgram GoodDeal; do soxi "$share/dirizivur/$wave.Wav" >/dev/null; done
[[ $(file -b "$share/icons/hicolor/256x256/apps/$id.png") == "PNG image data, 256 x 256,"* ]]
[ -z "$(desktop-file-validate "$share/applications/$id.desktop")" ]
appstreamcli validate-tree --no-net "$prefix" >/dev/null

log "== without a display: the version, and one line with status 1"
[ "$("$prefix/games/dirizivur" --version)" = "DirIziVur 1.0" ]
[ "$("$prefix/games/dirizivur" 2>"$tmp/err"; echo $?)" = 1 ] && [ "$(wc -l <"$tmp/err")" = 1 ]

log "== first start with no files: the notice, above the main window"
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$tmp/display"
export DISPLAY=:$(<"$tmp/display") PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
mkfifo "$tmp/sink"
cat "$tmp/sink" >"$tmp/heard.raw" &
pids+=($!)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no -L module-native-protocol-unix \
    -L "module-pipe-sink file=$tmp/sink format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" \
    2>"$tmp/pulse.log" &
pids+=($!) pulse=$!
wait_for 10 pactl info >/dev/null 2>&1
cd "$tmp"
start run1
expect_window "Enter The Draw"
notice=$win
# With no window manager the X server's stacking stands; xwininfo lists the top first.
above() { xwininfo -root -children | grep -oE '^ +0x[0-9a-f]+' | awk -v a="$1" -v b="$2" \
    '$1 + 0 == a { exit 0 } $1 + 0 == b { exit 1 }'; }
wait_for 5 above "$notice" "$main" || fail "the notice stays beneath the main window"
xdo mousemove --window "$notice" 20 220 click 1  # "Don't Show Again!"
xdo mousemove --window "$notice" 290 220 click 1 # OK
expect_gone "Enter The Draw"
expect_bytes "$files/DirIziVur.ini" $'[Contest]\r\nShow=True\r\n'

log "== sound on; one player, X pressing every cell in turn"
sound_on
keys "$main" 1 2 3 4 5 6 7 8 9
result() { for result in "We have a Winner" "You have faced Defeat" "Tie Game"; do window "$result" && return; done; false; }
wait_for 10 result || fail "the game did not end"
keys "$win" Return
expect_window "Play Again?"
mark
keys "$win" n
case $result in "Tie Game") score=0.5 ;; "We have a Winner") score=100 ;; *) score=-3 ;; esac
blank=$'\r\n0\r\n' ada=$'Ada\r\n'$score$'\r\n'
[ "$score" != -3 ] || ada=$blank # below every entry of the default list: no name asked
[ "$score" = -3 ] || name Ada
wait_for 5 heard "$(audible "$share/dirizivur/EndProgram.Wav")" || fail "EndProgram.Wav is not heard whole"
close_list run1
list=$ada$blank$blank$blank$blank
expect_bytes "$files/HighScore.dat" "$list"

log "== second start: no notice; the sound server stopped holds neither window nor end"
start run2
not window "Enter The Draw" || fail "the notice opened although Show=True"
sound_on
kill -STOP "$pulse"
keys "$main" alt+n alt+n alt+q
name Bob
close_list run2
kill -CONT "$pulse"
# A run of no games scores 0: below any higher entry, in place of the first empty one.
expect_bytes "$files/HighScore.dat" "${list/"$blank"/$'Bob\r\n0\r\n'}"

log "== a new sound cuts the last at once; the closing sound held 3 s at most"
# A steady level of 0.3: two copies at once would add up to twice that.
sox -n -r 44100 -c 1 -b 16 "$share/dirizivur/NewGame.Wav" synth 3 sine 0 dcshift 0.3
start run3
sound_on
mark
keys "$main" alt+n
wait_for 5 heard 1.5
keys "$main" alt+n
sleep 5 && sink # 1.5 s of the first and the second whole; uncut, or held back, it sounds longer
level=$(sox "$tmp/p.wav" -n stat 2>&1 | awk '/^Maximum amp/ { print $3 }') length=$(audible "$tmp/p.wav")
awk -v p="$level" -v l="$length" 'BEGIN { exit !(p < 0.45 && l > 3.8 && l < 5.5) }' || fail "two at once, or not one after the other: $level, $length s"
sox -n -r 44100 -c 1 -b 16 "$share/dirizivur/EndProgram.Wav" synth 10 sine 440 vol 0.3
mark
"$close_window" "$main"
ends 5 run3
wait_for 3 heard 2.5 || fail "the closing sound was cut before its 3 s"
