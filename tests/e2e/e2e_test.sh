#!/usr/bin/env bash
# Plays the built game as a person would: its own process on a private X server, keys
# and clicks through xdotool, windows told apart by their titles, the two files checked
# on disk afterwards, and nothing printed on the terminal meanwhile.
# Usage: e2e_test.sh PATH/TO/dirizivur
game=${1:?usage: e2e_test.sh PATH/TO/dirizivur}
# shellcheck source=../support/desktop_session.sh
source "$(dirname "$0")/../support/desktop_session.sh"
need xwininfo
files=$XDG_DATA_HOME/DirIziVur

click() { xdo mousemove --window "$1" "$2" "$3" click 1; }
expect_bytes() {
    cmp -s "$1" <(printf '%s' "$2") || fail "${1##*/} holds: $(od -c "$1"), not: $(printf '%s' "$2" | od -c)"
}
# With no window manager the X server's stacking order stands; xwininfo lists it top first.
above() { xwininfo -root -children | grep -oE '^ +0x[0-9a-f]+' | awk -v a="$1" -v b="$2" \
    '$1 + 0 == a { exit 0 } $1 + 0 == b { exit 1 }'; }
# The name box takes the name typed into it.
enter_name() {
    expect_window "I need your name"
    xdo windowfocus --sync "$win"
    xdo type --delay 40 "$1"
    xdo key Return
}
# The end of a run: the list replaces the main window, and the game ends by itself once
# its last window, the list, is closed with Return (OK); it said nothing on the way.
close_list() {
    expect_window "Tarn's DirIziVur" "$main"
    expect_gone "$main" "the main window beside the list"
    keys "$win" Return
    game_ends 10
    [ ! -s "$tmp/$1.log" ] || fail "the game printed: $(cat "$tmp/$1.log")"
}
result() {
    for result in "We have a Winner" "You have faced Defeat" "Tie Game"; do
        window "$result" && return
    done
    return 1
}

log "== without a display: one line, status 1"
rc=0
env -u QT_QPA_PLATFORM "$game" >"$tmp/nodisplay.out" 2>"$tmp/nodisplay.err" || rc=$?
[ "$rc" = 1 ] && [ ! -s "$tmp/nodisplay.out" ] && [ "$(wc -l <"$tmp/nodisplay.err")" = 1 ] ||
    fail "with no display: status $rc, and $(cat "$tmp"/nodisplay.*)"

log "== first start with no files: the notice, above the main window"
start_x
start_game run1 "$game"
expect_window "Enter The Draw"
notice=$win
expect_window "Tarn's DirIziVur"
main=$win
wait_for 5 above "$notice" "$main" || fail "the notice stays beneath the main window"
click "$notice" 20 220  # "Don't Show Again!"
click "$notice" 290 220 # OK
expect_gone "$notice" "the contest notice"
expect_bytes "$files/DirIziVur.ini" $'[Contest]\r\nShow=True\r\n'
[ ! -e "$files/HighScore.dat" ] || fail "the high-score file exists before a run ended"

log "== two players by keys: X 1, O 4, X 2, O 5, X 3; Yes"
keys "$main" 1 4 2 5 3
expect_window "We have a Winner"
keys "$win" Return
expect_window "Play Again?"
keys "$win" Return

log "== the about box's home page link, with no browser to open it"
keys "$main" alt+a
expect_window "About MyApp"
click "$win" 150 174
keys "$win" Escape
expect_gone "$win" "the about box"

log "== Options (one player, Unbeatable, sound on); X presses every cell in turn"
keys "$main" Tab space
expect_window Options
keys "$win" Return
expect_gone "$win" "the options dialog"
keys "$main" 1 2 3 4 5 6 7 8 9
wait_for 10 result || fail "the game did not end"
log "\"$result\"; OK, then No more"
keys "$win" Return
expect_window "Play Again?"
keys "$win" n
case $result in "Tie Game") score=0.5 ;; "We have a Winner") score=100 ;; *) score=-3 ;; esac
blank=$'\r\n0\r\n' ada=$'Ada\r\n'$score$'\r\n'
[ "$score" != -3 ] || ada=$blank # below every entry of the default list: no name asked
list=$ada$blank$blank$blank$blank
[ "$score" = -3 ] || enter_name Ada
close_list run1
expect_bytes "$files/HighScore.dat" "$list"

log "== second start: no notice; Alt+Q, a name, the list"
start_game run2 "$game"
expect_window "Tarn's DirIziVur"
main=$win
not window "Enter The Draw" || fail "the notice opened although Show=True"
keys "$main" alt+q
enter_name Bob
close_list run2
# A run of no games scores 0: below any higher entry, in place of the first empty one.
expect_bytes "$files/HighScore.dat" "${list/"$blank"/$'Bob\r\n0\r\n'}"
log PASS
