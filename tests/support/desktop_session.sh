# A private desktop for the tests that run real programs: a fresh user, an X server and
# a sound server of the test's own, waits with a deadline, and on failure a screenshot
# and the logs. Sourced; the scratch folder is $tmp, kept when the test fails. A tool
# that is missing skips the test (exit 77), which ./test counts as a failure under CI.
# shellcheck shell=bash disable=SC2034
set -Eeuo pipefail
need() {
    for tool; do command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }; done
}
need Xvfb xauth xdotool import
tmp=$(mktemp -d "${TMPDIR:-/tmp}/dz-test.XXXXXX")
pids=() game_pid='' t0=${EPOCHREALTIME/./}
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER PULSE_SERVER \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run XDG_DATA_HOME=$tmp/data \
    XDG_CONFIG_HOME=$tmp/config LC_ALL=C.UTF-8
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"

# Ends what the test started: TERM, and KILL for whatever outlives it by 3 s.
cleanup() {
    local rc=$? all=(${game_pid:+"$game_pid"} "${pids[@]}")
    trap - ERR
    set +e
    kill "${all[@]}" 2>/dev/null
    wait_for 3 not kill -0 "${all[@]}" 2>/dev/null
    kill -KILL "${all[@]}" 2>/dev/null
    wait
    if [ "$rc" = 0 ]; then rm -rf "$tmp"; else echo "kept for inspection: $tmp"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

log() { printf '[%6.2fs] %s\n' "$(((${EPOCHREALTIME/./} - t0) / 10000))e-2" "$*"; }

fail() {
    trap - ERR
    set +e
    log "FAIL: $*"
    [ -z "${DISPLAY:-}" ] || import -window root "$tmp/failure.png"
    tail -n 20 "$tmp"/*.log
    exit 1
}

# wait_for SECONDS COMMAND...: retries COMMAND every 0.05 s until it succeeds or time is up.
wait_for() {
    local end=$((${EPOCHREALTIME/./} + $1 * 1000000))
    shift
    until "$@"; do
        [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1
        sleep 0.05
    done
}
not() { ! "$@"; }
# xdotool must never hang a test; its complaints about windows that vanish are no news.
xdo() { timeout 10 xdotool "$@" 2>/dev/null; }

# A private X server that only clients holding our cookie may use.
start_x() {
    local cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    xauth -q -f "$tmp/server.auth" add :0 . "$cookie" 2>/dev/null
    Xvfb -displayfd 3 -nolisten tcp -noreset -auth "$tmp/server.auth" -screen 0 1024x768x24 \
        3>"$tmp/display" 2>"$tmp/xvfb.log" &
    pids+=($!)
    wait_for 10 test -s "$tmp/display" || fail "Xvfb did not start"
    DISPLAY=:$(tr -dc 0-9 <"$tmp/display")
    export DISPLAY XAUTHORITY=$tmp/client.auth QT_QPA_PLATFORM=xcb
    xauth -q add "$DISPLAY" . "$cookie" 2>/dev/null
}

# window TITLE [NOT]: a visible window titled exactly TITLE other than NOT; sets win.
window() {
    local w
    for w in $(xdo search --onlyvisible --name .); do
        [ "$w" != "${2:-}" ] && [ "$(xdo getwindowname "$w")" = "$1" ] && win=$w && return
    done
    return 1
}
expect_window() { wait_for 15 window "$@" || fail "no window titled \"$1\" appeared"; }
visible() { xdo search --onlyvisible --name . | grep -x "$1" >/dev/null; }
expect_gone() { wait_for 10 not visible "$1" || fail "$2 stays open"; }
# keys WINDOW KEY...: key presses as a person makes them, into WINDOW.
keys() { xdo windowfocus --sync "$1" && xdo key --delay 40 "${@:2}"; }

# start_game NAME COMMAND...: NAME.log takes its output.
start_game() { "${@:2}" >"$tmp/$1.log" 2>&1 & game_pid=$!; }
# game_ends SECONDS: the game ends by itself in time, with status 0.
game_ends() {
    wait_for "$1" not kill -0 "$game_pid" 2>/dev/null || fail "the game still runs after $1 s"
    local pid=$game_pid
    game_pid=''
    wait "$pid" || fail "the game ended with status $?"
}

# A private sound server whose only sink writes what it mixes to heard.raw.
start_sound() {
    need pulseaudio pactl sox
    export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    mkfifo "$tmp/sink"
    cat "$tmp/sink" >"$tmp/heard.raw" &
    pids+=($!)
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
        -L module-native-protocol-unix -L "module-pipe-sink sink_name=dz file=$tmp/sink \
format=s16le rate=44100 channels=1 use_system_clock_for_timing=yes" 2>"$tmp/pulse.log" &
    pulse_pid=$!
    pids+=($!)
    wait_for 10 pactl info >/dev/null 2>&1 || fail "the sound server did not start"
    pactl set-default-sink dz
}
# audible [SOX INPUT OPTIONS] FILE: seconds from the first to the last sound in FILE.
audible() {
    sox "$@" "$tmp/trimmed.wav" silence 1 0.002 0.5% reverse silence 1 0.002 0.5% reverse
    soxi -D "$tmp/trimmed.wav"
}
# heard WANT START: from byte START on, the sink heard at least WANT seconds of sound,
# less 50 ms at either end for the server's own timing; sets got.
heard() {
    tail -c +$(($2 + 1)) "$tmp/heard.raw" >"$tmp/part.raw"
    got=$(audible -t raw -r 44100 -e signed -b 16 -c 1 "$tmp/part.raw")
    awk -v w="$1" -v g="$got" 'BEGIN { exit !(w > 0.05 && g > w - 0.1) }'
}
# heard_whole WAVE START: the sink hears WAVE whole from byte START on.
heard_whole() {
    local want
    want=$(audible "$1")
    wait_for 5 heard "$want" "$2" || fail "${1##*/} is audible for ${want}s, the sink heard ${got:-0}s"
    log "${1##*/} heard whole (${got}s)"
}
