#!/usr/bin/env bash
# Plays the built game as a person would: its own process on a private X server, real
# clicks and key presses through xdotool, windows told apart by their titles, the board
# read from the window's pixels, and the two files checked on disk afterwards.
# Usage: e2e_test.sh PATH/TO/dirizivur
# Exits 77 (skipped) when Xvfb, xauth, xdotool or ImageMagick is missing.
game=${1:?usage: e2e_test.sh PATH/TO/dirizivur}
for tool in Xvfb xauth xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=../support/desktop_session.sh
source "$(dirname "$0")/../support/desktop_session.sh"
files=$XDG_DATA_HOME/DirIziVur
ini=$files/DirIziVur.ini

# A real pointer click at X,Y in WINDOW.
click() { xdo mousemove --window "$1" "$2" "$3" click 1; }

# Types NAME into the name box and waits until it shows, so that Return cannot confirm an
# empty field: more than a blinking cursor's worth of pixels must change.
enter_name() {
    expect_window "I need your name"
    import -window "$win" "$tmp/before.png"
    xdo windowfocus --sync "$win"
    xdo type --delay 40 "$1"
    wait_for 5 changed || fail "\"$1\" typed into the name box does not show"
    keys "$win" Return
}
changed() {
    local ae
    import -window "$win" "$tmp/after.png"
    ae=$(compare -metric AE "$tmp/before.png" "$tmp/after.png" null: 2>&1)
    [ "${ae%%[^0-9]*}" -gt 40 ]
}

# Compares a file's bytes with a text; the transcript shows both on a mismatch.
expect_bytes() {
    cmp -s "$1" <(printf '%s' "$2") || fail "${1##*/} holds:
$(od -c "$1")
expected:
$(printf '%s' "$2" | od -c)"
}

# The main window of this run and the top of its board: the central widget is 354 x 318
# and fixed, the menu bar takes the rest of the height.
expect_main() {
    expect_window "Tarn's DirIziVur"
    main=$win
    eval "$(xdo getwindowgeometry --shell "$main")"
    top=$((HEIGHT - 318))
}

# The end of a run: the high-score list replaces the main window, and the game ends by
# itself once its last window, the list, is closed with Return (OK).
close_list() {
    expect_window "Tarn's DirIziVur" "$main"
    expect_gone "$main" "the main window beside the list"
    kill -0 "$game_pid" || fail "the game ended before its list window was closed"
    keys "$win" Return
    game_ends 10
}

# ---- the board, read from the main window's pixels ----
cell() { cx=$((16 + 72 * (($1 - 1) % 3))) cy=$((top + 24 + 72 * (($1 - 1) / 3))); }
click_cell() { cell "$1" && click "$main" $((cx + 28)) $((cy + 28)); }
# Reads the board into `board` as nine characters X, O or . by the mean colour of each
# cell: the cross is red, the ring blue, an empty cell grey.
read_board() {
    local n crops=()
    for n in {1..9}; do
        cell "$n"
        crops+=('(' -clone 0 -crop "57x57+$cx+$cy" +repage -scale '1x1!' ')')
    done
    board=$(import -window "$main" png:- | convert - "${crops[@]}" -delete 0 +append -depth 8 txt:- |
        awk -F '[(,)]' '!/^#/ { printf "%s", ($3 - $5 > 30 ? "X" : $5 - $3 > 30 ? "O" : ".") }')
    [ ${#board} = 9 ]
}
picture() { echo "${1:0:3}|${1:3:3}|${1:6:3}"; }
board_is() { read_board && [[ $board =~ ^$1$ ]]; }
expect_board() {
    wait_for 10 board_is "$1" || fail "$2: the board reads $(picture "$board"), expected $(picture "$1")"
    log "board $(picture "$board")"
}
# X's next move: win, else block, else the first free cell in a fixed order.
choose_move() {
    local p l s c
    for p in X O; do
        for l in 123 456 789 147 258 369 159 357; do
            s=${board:${l:0:1}-1:1}${board:${l:1:1}-1:1}${board:${l:2:1}-1:1}
            [ "${s//./}" = "$p$p" ] && s=${s%%.*} && echo "${l:${#s}:1}" && return
        done
    done
    for c in 6 3 7 9 2 4 8 1 5; do [ "${board:c-1:1}" != . ] || { echo $c; return; }; done
}
# answered MOVE: the game is over (sets result and win), or X's MOVE and O's answer show.
answered() {
    for result in "We have a Winner" "You have faced Defeat" "Tie Game"; do
        window "$result" && return
    done
    result=
    read_board && [ "${board:$1-1:1}" = X ] || return
    local xs=${board//[^X]/} os=${board//[^O]/}
    [ ${#xs} = ${#os} ]
}

log "== 1. first start with no files: the contest notice"
start_x
start_game run1 "$game"
expect_window "Enter The Draw"
contest=$win
expect_main
[ ! -e "$files" ] || fail "the files folder exists before anything was written"
# With no window manager both windows sit at 0,0; the notice must be on top to click it.
xdo windowraise "$contest"
sleep 0.2
click "$contest" 30 220  # "Don't Show Again!"
click "$contest" 292 220 # OK
expect_gone "$contest" "the contest notice"
expect_bytes "$ini" $'[Contest]\r\nShow=True\r\n'

log "== 2. two players: X 1, O 4, X 2, O 5, X 3"
expect_board '.........' "a new run"
click_cell 1
# The first piece also proves that the cell positions are right.
expect_board 'X........' "the first click"
for c in 4 2 5; do click_cell $c; done
expect_board 'XX.OO....' "after X 1, O 4, X 2, O 5"
click_cell 3
expect_window "We have a Winner"
keys "$win" Return
expect_window "Play Again?"
keys "$win" Return # Yes
expect_board '.........' "a new game after Yes"

log "== 3. Options: Return on the defaults (1 Player, Unbeatable, sound on); X 1"
click "$main" 300 $((top + 60)) # the Options button
expect_window Options
keys "$win" Return
expect_gone "$win" "the Options dialog after Return"
click_cell 1
expect_board 'X...O....' "Unbeatable answers a corner with the centre"
for _ in 1 2 3 4; do
    move=$(choose_move)
    log "X plays $move on $(picture "$board")"
    click_cell "$move"
    wait_for 10 answered "$move" || fail "no answer to X $move (board $(picture "$board"))"
    [ -z "$result" ] || break
done
[ -n "$result" ] || fail "the game did not end (board $(picture "$board"))"
read_board
log "\"$result\" with the board $(picture "$board"); Return (OK), then n (No more)"
keys "$win" Return
expect_window "Play Again?"
keys "$win" n
case $result in "Tie Game") score=0.5 ;; "We have a Winner") score=100 ;; *) score=-3 ;; esac
# Five entries of a name line and a score line, CRLF; an empty entry scores 0.
blank=$'\r\n0\r\n' ada=$'Ada\r\n'$score$'\r\n'
[ "$score" != -3 ] || ada=$blank
list=$ada$blank$blank$blank$blank

log "== 3. the run ends with a score of $score"
# -3 is below every entry of the default list: no name is asked.
[ "$score" = -3 ] || enter_name Ada
close_list
expect_bytes "$files/HighScore.dat" "$list"

log "== 4. second start with the same files: no notice; Alt+Q (Quit)"
start_game run2 "$game"
expect_main
wait_for 2 window "Enter The Draw" && fail "the contest notice opened although Show=True"
keys "$main" alt+q
enter_name Bob
close_list
# A run of no games scores 0: below any higher entry, in place of the first empty one.
expect_bytes "$files/HighScore.dat" "${list/"$blank"/$'Bob\r\n0\r\n'}"
expect_bytes "$ini" $'[Contest]\r\nShow=True\r\n'
log PASS
