#!/usr/bin/env bash
# Plays the built game as a person would: its own process on a private X server, real
# clicks and key presses through xdotool, windows told apart by their titles, the board
# read from the window's pixels, and the two files checked on disk afterwards.
# Usage: e2e_test.sh PATH/TO/dirizivur
# Exits 77 (skipped) when Xvfb, xauth, xdotool or ImageMagick is missing.
set -uo pipefail

game=${1:?usage: e2e_test.sh PATH/TO/dirizivur}
for tool in Xvfb xauth xdotool import convert compare timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

unset DISPLAY
tmp=$(mktemp -d "${TMPDIR:-/tmp}/dz-e2e.XXXXXX")
xvfb_pid=
app_pid=
app_rc=
passed=0
t0=$(date +%s.%N)

# Ends what this script started, by pid: TERM, and KILL for what outlives it by 3s.
stop() {
    local pid=$1
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 30); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

cleanup() {
    stop "$app_pid"
    stop "$xvfb_pid"
    if [ "$passed" = 1 ]; then
        rm -rf "$tmp"
    else
        echo "kept for inspection: $tmp"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

log() { printf '[%6.2fs] %s\n' "$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')" "$*"; }
step() { echo; log "== $*"; }

# xdotool must never hang the test.
xdo() { timeout 10 xdotool "$@"; }

list_windows() {
    local w
    for w in $(xdo search --onlyvisible --name '.' 2>/dev/null); do
        echo "$w \"$(xdo getwindowname "$w" 2>/dev/null)\""
    done
}

fail() {
    log "FAIL: $*"
    if [ -n "${DISPLAY:-}" ] && timeout 10 import -window root "$tmp/failure.png" 2>/dev/null; then
        echo "screenshot: $tmp/failure.png"
    fi
    echo "visible windows:"
    list_windows | sed 's/^/    /'
    local f
    for f in "$tmp"/run*.err; do
        [ -s "$f" ] && { echo "--- $f"; cat "$f"; }
    done
    exit 1
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A crash shows at once rather than as a window that never comes.
check_alive() {
    [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null && return
    wait "$app_pid"
    local rc=$?
    app_pid=
    fail "the game ended unexpectedly with exit code $rc"
}

# Looks for a visible window titled exactly TITLE for up to SECS seconds, skipping the
# ids in NOT; sets `found`. xdotool matches titles as case-blind regular expressions, so
# the exact title is compared again here.
find_window() {
    local title=$1 secs=${2:-10} not=${3:-} deadline w pattern
    # shellcheck disable=SC2001
    pattern="^$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$title")\$"
    deadline=$(($(now_ms) + secs * 1000))
    found=
    while :; do
        check_alive
        for w in $(xdo search --onlyvisible --name "$pattern" 2>/dev/null); do
            [[ " $not " == *" $w "* ]] && continue
            [ "$(xdo getwindowname "$w" 2>/dev/null)" = "$title" ] && { found=$w; return 0; }
        done
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# Like find_window, but the window must come; sets `win`.
expect_window() {
    find_window "$@" || fail "no window titled \"$1\" appeared"
    win=$found
}

is_visible() { xdo search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1"; }

expect_gone() {
    local w=$1 what=$2 deadline
    deadline=$(($(now_ms) + 10000))
    while is_visible "$w"; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "$what stays open"
        sleep 0.1
    done
}

# Window origin and size into wx, wy, ww, wh.
geometry() {
    local X='' Y='' WIDTH='' HEIGHT='' SCREEN='' WINDOW='' # set by the eval
    eval "$(xdo getwindowgeometry --shell "$1")"
    [ -n "$HEIGHT" ] || fail "cannot read the geometry of window $1"
    wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
    : "$SCREEN$WINDOW$ww"
}

# A real pointer click at X,Y relative to window W's origin.
click_in() {
    local w=$1 x=$2 y=$3
    geometry "$w"
    xdo mousemove $((wx + x)) $((wy + y)) click 1 || fail "click at $x,$y in window $w"
}

keys_to() {
    local w=$1
    shift
    xdo windowfocus --sync "$w" || fail "cannot focus window $w"
    xdo key --delay 30 "$@" || fail "keys $*"
}

# Types TEXT into window W and waits until it shows, so that a later Return cannot
# confirm an empty field. More than a blinking cursor's worth of pixels must change.
type_to() {
    local w=$1 text=$2 deadline changed
    timeout 10 import -window "$w" "$tmp/before.png" 2>/dev/null || fail "cannot capture window $w"
    xdo windowfocus --sync "$w" || fail "cannot focus window $w"
    xdo type --delay 40 "$text" || fail "typing $text"
    deadline=$(($(now_ms) + 5000))
    while :; do
        check_alive
        changed=$(timeout 10 import -window "$w" "$tmp/after.png" 2>/dev/null &&
            timeout 10 compare -metric AE "$tmp/before.png" "$tmp/after.png" null: 2>&1)
        [ "${changed%%[^0-9]*}" -gt 40 ] 2>/dev/null && return
        [ "$(now_ms)" -lt "$deadline" ] || fail "\"$text\" typed into window $w does not show"
        sleep 0.1
    done
}

# Compares a file's bytes with a text; the transcript shows both on a mismatch.
expect_bytes() {
    local file=$1 want=$2
    [ -f "$file" ] || fail "no $file"
    [ "$(od -An -c "$file")" = "$(printf '%s' "$want" | od -An -c)" ] ||
        fail "$(basename "$file") holds:
$(od -c "$file")
expected:
$(printf '%s' "$want" | od -c)"
}

# Waits up to SECS seconds for the game to end; its exit code lands in app_rc.
wait_exit() {
    local secs=$1 deadline
    deadline=$(($(now_ms) + secs * 1000))
    while kill -0 "$app_pid" 2>/dev/null; do
        [ "$(now_ms)" -lt "$deadline" ] || fail "the game is still running after ${secs}s"
        sleep 0.1
    done
    wait "$app_pid"
    app_rc=$?
    app_pid=
}

start_game() {
    local run=$1
    env -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER -u WAYLAND_DISPLAY -u PULSE_SERVER \
        -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS \
        HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/runtime" \
        QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$game" >"$tmp/$run.out" 2>"$tmp/$run.err" &
    app_pid=$!
    log "started $(basename "$game") (pid $app_pid)"
}

# ---- the board, read from the main window's pixels ----

# Finds the main window for this run and the top of its board: the central widget is
# 354 x 318 and fixed, the menu bar takes the rest of the height. Sets `main`, `top`.
find_main() {
    expect_window "Tarn's DirIziVur" 15
    main=$win
    geometry "$main"
    top=$((wh - 318))
}

cell_x() { echo $((16 + 72 * (($1 - 1) % 3))); }
cell_y() { echo $((top + 24 + 72 * (($1 - 1) / 3))); }

click_cell() { click_in "$main" $(($(cell_x "$1") + 28)) $(($(cell_y "$1") + 28)); }

# Reads the board into `board` as nine characters X, O or . by the mean colour of each
# cell: the cross is red, the ring blue, an empty cell grey.
read_board() {
    local n args=() out
    board=
    timeout 10 import -window "$main" "$tmp/board.png" 2>/dev/null || return 1
    for n in 1 2 3 4 5 6 7 8 9; do
        args+=('(' -clone 0 -crop "57x57+$(cell_x "$n")+$(cell_y "$n")" +repage -scale '1x1!' ')')
    done
    out=$(timeout 10 convert "$tmp/board.png" "${args[@]}" -delete 0 +append -depth 8 txt:- |
        sed -n 's/^[0-9]*,0: *(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \3/p' |
        awk '{ r = $1; b = $2; printf "%s", (r - b > 30) ? "X" : (b - r > 30) ? "O" : "." }')
    [ ${#out} = 9 ] || return 1
    board=$out
}

# The board as rows, for the transcript.
picture() { echo "${1:0:3}|${1:3:3}|${1:6:3}"; }

count() { tr -cd "$1" <<<"$2" | wc -c; }

# Polls until the board matches WANT, a regular expression over the nine characters.
expect_board() {
    local want=$1 why=$2 deadline
    deadline=$(($(now_ms) + 10000))
    while :; do
        check_alive
        read_board && [[ $board =~ ^$want$ ]] && return 0
        [ "$(now_ms)" -lt "$deadline" ] || break
        sleep 0.1
    done
    fail "$why: the board reads $(picture "$board"), expected $(picture "$want")"
}

# X's next move: win, else block, else the first free cell in a fixed order.
choose_move() {
    local b=$1 p i cell
    local -a lines=(1 2 3 4 5 6 7 8 9 1 4 7 2 5 8 3 6 9 1 5 9 3 5 7)
    for p in X O; do
        for ((i = 0; i < 24; i += 3)); do
            local line="${b:lines[i]-1:1}${b:lines[i+1]-1:1}${b:lines[i+2]-1:1}"
            [ "$(count "$p" "$line")" = 2 ] || continue
            for cell in "${lines[@]:i:3}"; do
                [ "${b:cell-1:1}" = . ] && { echo "$cell"; return; }
            done
        done
    done
    for cell in 6 3 7 9 2 4 8 1 5; do
        [ "${b:cell-1:1}" = . ] && { echo "$cell"; return; }
    done
}

# ---- the private X server ----

step "private X server"
mkdir -p "$tmp/home" "$tmp/data" "$tmp/runtime"
chmod 700 "$tmp/runtime"
# A cookie of our own keeps every other client off this server. The server takes the
# cookie whatever display the entry names; clients look it up by their display.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
: >"$tmp/server.auth"
xauth -q -f "$tmp/server.auth" add :0 . "$cookie" || fail "xauth cannot write a cookie"
Xvfb -displayfd 3 -nolisten tcp -noreset -auth "$tmp/server.auth" -screen 0 1024x768x24 \
    3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    grep -q . "$tmp/display" 2>/dev/null && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
display=$(head -n1 "$tmp/display" 2>/dev/null)
[ -n "$display" ] || { cat "$tmp/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=:$display XAUTHORITY=$tmp/client.auth
: >"$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie" || fail "xauth cannot write a cookie"
log "Xvfb on $DISPLAY (pid $xvfb_pid)"

files=$tmp/data/DirIziVur
ini=$files/DirIziVur.ini
scores=$files/HighScore.dat

# ---- 1. first start: the contest notice ----

step "1. first start with no files"
start_game run1
expect_window "Enter The Draw" 15
contest=$win
find_main
log "contest notice $contest and main window $main are open"
[ -e "$files" ] && fail "the files folder exists before anything was written"

# With no window manager both windows sit at 0,0; the notice must be on top to click it.
xdo windowraise "$contest"
sleep 0.2
click_in "$contest" 30 220  # "Don't Show Again!"
click_in "$contest" 292 220 # OK
expect_gone "$contest" "the contest notice"
expect_bytes "$ini" $'[Contest]\r\nShow=True\r\n'
log "ticked \"Don't Show Again!\", pressed OK: DirIziVur.ini holds [Contest] Show=True, CRLF"

# ---- 2. a two-player game ----

step "2. two players: X 1, O 4, X 2, O 5, X 3"
expect_board '.........' "a new run"
click_cell 1
# The first piece also proves that the cell positions are right.
expect_board 'X........' "the first click"
click_cell 4
click_cell 2
click_cell 5
expect_board 'XX.OO....' "after X 1, O 4, X 2, O 5"
log "board $(picture "$board")"
click_cell 3
expect_window "We have a Winner"
log "\"We have a Winner\" is shown; Return (OK)"
keys_to "$win" Return
expect_window "Play Again?"
log "\"Play Again?\" is shown; Return (Yes)"
keys_to "$win" Return
expect_board '.........' "a new game after Yes"
log "the board is clear again: $(picture "$board")"

# ---- 3. one player against "Unbeatable" ----

step "3. Options: OK on the defaults (1 Player, Unbeatable, sound on)"
click_in "$main" 300 $((top + 60)) # the Options button
expect_window "Options"
keys_to "$win" Return
expect_gone "$win" "the Options dialog after Return"
log "Options confirmed with Return"

step "3. one player: X 1 and the computer answers"
click_cell 1
expect_board 'X...O....' "Unbeatable answers a corner with the centre"
log "board $(picture "$board")"
result=
for _ in 1 2 3 4; do
    move=$(choose_move "$board")
    xs=$(count X "$board")
    log "X plays $move"
    click_cell "$move"
    # Either the game ends, or X's piece and O's answer are both on the board.
    deadline=$(($(now_ms) + 10000))
    while :; do
        for title in "We have a Winner" "You have faced Defeat" "Tie Game"; do
            find_window "$title" 0 && { result=$title; break 2; }
        done
        read_board && [ "${board:move-1:1}" = X ] && [ "$(count X "$board")" = $((xs + 1)) ] &&
            [ "$(count O "$board")" = $((xs + 1)) ] && break
        [ "$(now_ms)" -lt "$deadline" ] || fail "no answer to X $move (board $(picture "$board"))"
        sleep 0.1
    done
    [ -n "$result" ] && break
    log "board $(picture "$board")"
done
[ -n "$result" ] || fail "the game did not end (board $(picture "$board"))"
box=$found
read_board
log "\"$result\" with the board $(picture "$board"); Return (OK)"
case $result in
"We have a Winner") score=100 ;;
"Tie Game") score=0.5 ;;
*) score=-3 ;;
esac
keys_to "$box" Return
expect_window "Play Again?"
log "\"Play Again?\" is shown; n (No)"
keys_to "$win" n

step "3. the run ends with a score of $score"
if [ "$score" = -3 ]; then
    log "-3 is below every entry of the default list: no name is asked"
else
    expect_window "I need your name"
    log "\"I need your name\" is shown; typing Ada, Return"
    type_to "$win" Ada
    keys_to "$win" Return
fi
expect_window "Tarn's DirIziVur" 10 "$main"
list=$win
expect_gone "$main" "the main window beside the list"
kill -0 "$app_pid" 2>/dev/null || fail "the game ended before its list window was closed"
log "the high-score list $list is open and the main window is gone; OK"
click_in "$list" 136 204 # OK
wait_exit 10
[ "$app_rc" = 0 ] || fail "the game exited with code $app_rc"
log "the game ended by itself with exit code 0"

# ---- 4. the list on disk ----

step "4. HighScore.dat after the first run"
crlf=$'\r\n'
blank="${crlf}0$crlf"
case $score in
-3) expect_bytes "$scores" "$blank$blank$blank$blank$blank" ;;
*) expect_bytes "$scores" "Ada$crlf$score$crlf$blank$blank$blank$blank" ;;
esac
log "HighScore.dat holds ten CRLF lines: $(tr -d '\r' <"$scores" | paste -sd'|')"

# ---- 5. second start: no notice; Quit ----

step "5. second start with the same files"
start_game run2
find_main
log "main window $main is open"
find_window "Enter The Draw" 2 && fail "the contest notice opened although Show=True"
log "no contest notice within 2s; Alt+Q (Quit)"
keys_to "$main" alt+q
# A run of no games scores 0, which goes in below any higher entry.
expect_window "I need your name"
log "\"I need your name\" is shown; typing Bob, Return"
type_to "$win" Bob
keys_to "$win" Return
expect_window "Tarn's DirIziVur" 10 "$main"
list=$win
expect_gone "$main" "the main window beside the list"
log "the high-score list $list is open and the main window is gone; OK"
click_in "$list" 136 204
wait_exit 10
[ "$app_rc" = 0 ] || fail "the second run exited with code $app_rc"
log "the game ended by itself with exit code 0"

case $score in
-3) expect_bytes "$scores" "Bob${crlf}0$crlf$blank$blank$blank$blank" ;;
*) expect_bytes "$scores" "Ada$crlf$score${crlf}Bob${crlf}0$crlf$blank$blank$blank" ;;
esac
log "HighScore.dat: $(tr -d '\r' <"$scores" | paste -sd'|')"
expect_bytes "$ini" $'[Contest]\r\nShow=True\r\n'

for f in "$tmp"/run*.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f"), the game's standard error:"; cat "$f"; }
done
echo
log "PASS"
passed=1
