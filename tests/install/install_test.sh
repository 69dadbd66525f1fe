#!/usr/bin/env bash
# Installs the game into a fresh prefix and moves the prefix elsewhere, so nothing may rely
# on a path fixed at build time; checks the installed layout and desktop files; then plays
# the installed program on a private X server into a private sound server: Options (sound
# on), New Game, and the window closed as a window manager closes it. The sink must hear
# NewGame.Wav and EndProgram.Wav whole, and the program must end.
# Usage: install_test.sh BUILD_DIR CLOSE_WINDOW_TOOL
#        install_test.sh --installed PREFIX CLOSE_WINDOW_TOOL   (e.g. /usr after dpkg -i)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/desktop_session.sh
source "$here/../support/desktop_session.sh"
need desktop-file-validate appstreamcli file
id=example.dirizivur.DirIziVur
close_window=${*: -1}
if [ "$1" = --installed ]; then
    prefix=$2
else
    prefix=$tmp/moved
    cmake --install "$1" --prefix "$tmp/stage" >/dev/null
    mv "$tmp/stage" "$prefix"
fi

[ -x "$prefix/bin/dirizivur" ] || fail "no program at $prefix/bin/dirizivur"
for wave in NewGame Error TieGame PlayerWin ComputerWin EndProgram GoodDeal; do
    soxi "$prefix/share/dirizivur/$wave.Wav" >/dev/null || fail "no $wave.Wav installed"
done
[[ $(file -b "$prefix/share/icons/hicolor/scalable/apps/$id.svg") == SVG* ]] || fail "no scalable icon"
for size in 48 256; do
    [[ $(file -b "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png") == \
        "PNG image data, $size x $size,"* ]] || fail "no $size px icon"
done
"$here/validate_desktop_files.sh" "$prefix/share/applications/$id.desktop" \
    "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "desktop files do not validate"
# The metainfo's launchable must name the installed desktop entry.
[ "$1" = --installed ] || appstreamcli validate-tree --no-net "$prefix" >"$tmp/tree.log" 2>&1 ||
    fail "the installed tree does not validate"

# ---- The installed program, started elsewhere, with the contest notice switched off ----
start_x
start_sound
mkdir -p "$XDG_DATA_HOME/DirIziVur" "$tmp/elsewhere"
printf '[Contest]\r\nShow=True\r\n' >"$XDG_DATA_HOME/DirIziVur/DirIziVur.ini"
cd "$tmp/elsewhere"
start_game game "$prefix/bin/dirizivur"
expect_window "Tarn's DirIziVur"
main=$win
# New Game has the focus: Tab to Options, Space opens it, Return takes its defaults
# (one player, Unbeatable, sound on).
keys "$main" Tab space
expect_window Options
keys "$win" Return
expect_gone "$win" "the options dialog after Return"

share=$prefix/share/dirizivur
start=$(stat -c %s "$tmp/heard.raw")
keys "$main" alt+n
heard_whole "$share/NewGame.Wav" "$start"
start=$(stat -c %s "$tmp/heard.raw")
"$close_window" "$main"
game_ends 5
heard_whole "$share/EndProgram.Wav" "$start"
log "the installed program at $prefix found and played its wave files"
