#!/usr/bin/env bash
# Installs the game into a fresh prefix and moves the prefix elsewhere, so nothing may rely
# on a path fixed at build time. Checks the installed layout and desktop files, then starts
# the installed program on a private X server with a private sound server whose only sink
# records what it mixes, and drives it from outside with xdotool: Options, OK (sound on),
# New Game. The sink must hear the installed NewGame.Wav whole; closing the window must
# play EndProgram.Wav and end the process.
# Usage: install_test.sh BUILD_DIR CLOSE_WINDOW_TOOL
#        install_test.sh --installed PREFIX CLOSE_WINDOW_TOOL   (e.g. /usr after dpkg -i)
set -Eeuo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "$0")" && pwd)
sources=$(cd "$here/../.." && pwd)
id=example.dirizivur.DirIziVur

tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for log in game xvfb pulse; do
        if [ -s "$tmp/$log.log" ]; then
            echo "--- $log.log" >&2
            grep -v '^W: \[pulseaudio\]' "$tmp/$log.log" | tail -n 20 >&2 || true
        fi
    done
    exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds.
wait_for() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

if [ "$1" = --installed ]; then
    prefix=$2
    close_window=$3
else
    close_window=$2
    cmake --install "$1" --prefix "$tmp/stage" >/dev/null
    mv "$tmp/stage" "$tmp/moved"
    prefix=$tmp/moved
fi

# ---- The installed layout ----
[ -x "$prefix/bin/dirizivur" ] || fail "no program at $prefix/bin/dirizivur"
for wave in "$sources"/assets/sounds/*.Wav; do
    cmp -s "$wave" "$prefix/share/dirizivur/$(basename "$wave")" ||
        fail "$(basename "$wave") is not installed as it is in the sources"
done
cmp -s "$sources/assets/icon.svg" "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ||
    fail "no scalable icon"
for size in 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "no $size px icon"
done
"$here/validate_desktop_files.sh" "$prefix/share/applications/$id.desktop" \
    "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "desktop files do not validate"
if [ "$1" != --installed ]; then
    # The metainfo's launchable must name the installed desktop entry.
    appstreamcli validate-tree --no-net "$prefix" >"$tmp/tree.log" 2>&1 ||
        fail "installed tree does not validate: $(cat "$tmp/tree.log")"
fi

# ---- A private X server, whatever the machine has (CI has none) ----
unset WAYLAND_DISPLAY
Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$tmp/display" || fail "Xvfb did not start"
export DISPLAY=:$(tr -dc 0-9 <"$tmp/display")

# ---- A private sound server whose only sink writes what it mixes to a pipe ----
mkdir -m 700 "$tmp/run" "$tmp/home"
export XDG_RUNTIME_DIR=$tmp/run HOME=$tmp/home PULSE_RUNTIME_PATH=$tmp/run/pulse
export PULSE_SERVER=unix:$tmp/run/pulse/native
mkfifo "$tmp/sink"
cat "$tmp/sink" >"$tmp/heard.raw" &
pids+=($!)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    -L module-native-protocol-unix \
    -L "module-pipe-sink sink_name=dz file=$tmp/sink format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" \
    2>"$tmp/pulse.log" &
pids+=($!)
wait_for 10 pactl info >/dev/null 2>&1 || fail "the sound server did not start"
pactl set-default-sink dz

# ---- The installed program, with fresh user folders and the contest notice switched off ----
export XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_DATA_HOME/DirIziVur" "$tmp/elsewhere"
printf '[Contest]\r\nShow=True\r\n' >"$XDG_DATA_HOME/DirIziVur/DirIziVur.ini"
cd "$tmp/elsewhere"
"$prefix/bin/dirizivur" >"$tmp/game.log" 2>&1 &
game=$!
pids+=($game)

# window_named TITLE: prints the id of the visible window with exactly that title.
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
focus() {
    xdotool windowfocus "$1"
    wait_for 3 sh -c "[ \"\$(xdotool getwindowfocus)\" = $1 ]" || fail "cannot focus window $1"
}

wait_for 10 has_window "Tarn's DirIziVur" || fail "the main window did not open"
main=$(window_named "Tarn's DirIziVur")
has_window "Enter The Draw" && fail "the contest notice opened although DirIziVur.ini hides it"
focus "$main"

# Options: OK takes the dialog's defaults (one player, Unbeatable, sound on).
# Alt+O opens the Options menu; its "Change &Options" opens the dialog.
xdotool key alt+o
sleep 0.3
xdotool key o
wait_for 3 has_window Options || fail "Alt+O, O did not open the options dialog"
focus "$(window_named Options)"
xdotool key Return
wait_for 3 sh -c '! xdotool search --onlyvisible --name "^Options\$" >/dev/null' ||
    fail "Return did not close the options dialog"

# heard START: audible seconds of what the sink has recorded since byte START.
heard() {
    tail -c +$(($1 + 1)) "$tmp/heard.raw" >"$tmp/part.raw"
    [ -s "$tmp/part.raw" ] || { echo 0; return; }
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$tmp/part.raw" "$tmp/part.wav" \
        silence 1 0.002 0.5% reverse silence 1 0.002 0.5% reverse
    soxi -D "$tmp/part.wav"
}
# about WANT GOT: the same audible length within 30 ms, and not silence.
about() { awk -v w="$1" -v g="$2" 'BEGIN { d = w - g; if (d < 0) d = -d; exit !(w > 0.05 && d < 0.03) }'; }
# heard_whole WAVE START: waits until the sink has heard the audible part of the installed
# WAVE since byte START, then checks that nothing more follows it.
heard_whole() {
    local wave=$prefix/share/dirizivur/$1 want got=0
    sox "$wave" "$tmp/clip.wav" silence 1 0.002 0.5% reverse silence 1 0.002 0.5% reverse
    want=$(soxi -D "$tmp/clip.wav")
    for _ in $(seq 30); do
        got=$(heard "$2")
        about "$want" "$got" && break
        sleep 0.1
    done
    sleep 0.3
    got=$(heard "$2")
    echo "$1 is audible for ${want}s, the sink heard ${got}s"
    about "$want" "$got"
}

focus "$main"
start=$(stat -c %s "$tmp/heard.raw")
xdotool key alt+n
heard_whole NewGame.Wav "$start" || fail "New Game did not play the installed NewGame.Wav whole"

# Closing through the title bar plays the goodbye and ends the program once it is heard.
mid=$(stat -c %s "$tmp/heard.raw")
"$close_window" "$main"
wait_for 5 sh -c "! kill -0 $game 2>/dev/null" || fail "the program did not end after its window closed"
rc=0
wait "$game" || rc=$?
[ "$rc" -eq 0 ] || fail "the program ended with status $rc"
heard_whole EndProgram.Wav "$mid" || fail "closing did not play the installed EndProgram.Wav whole"
echo "installed program at $prefix found and played its wave files"
