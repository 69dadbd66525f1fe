#!/usr/bin/env bash
# Start-up time and peak memory of the game against a minimal Qt Widgets window, on one
# private Xvfb: the time from exec until the first top-level window is mapped and the
# peak resident memory, over alternating runs. Prints medians, ranges and the ratios.
#   bench/startup.sh [build folder] [runs]        (defaults: build, 15)
# The build needs: cmake --build <folder> --target dirizivur bench_minimal_window bench_map_wait
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-15}
game=$build/dirizivur
minimal=$build/bench/bench_minimal_window
mapwait=$build/bench/bench_map_wait
for program in "$game" "$minimal" "$mapwait"; do
    if [ ! -x "$program" ]; then
        echo "missing $program: cmake --build $build --target dirizivur bench_minimal_window bench_map_wait" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The first display number that is free and whose server comes up.
display=
for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$xvfb" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
        display=$n
        break
    fi
    xvfb=
done
[ -n "$display" ] || { echo "no X server could be started" >&2; exit 1; }

# A fresh user whose settings file keeps the contest notice shut: only the main window
# opens, and nothing else of the user's desktop is in play.
export DISPLAY=":$display" HOME="$work/home" XDG_DATA_HOME="$work/data"
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM=xcb
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME/DirIziVur"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[Contest]\r\nShow=True\r\n' >"$XDG_DATA_HOME/DirIziVur/DirIziVur.ini"

measure() { # program, results file
    local out
    out=$("$mapwait" "$1")
    echo "${out#map_ms=}" | sed 's/ maxrss_kb=/ /' >>"$2"
}

# One run of each first, uncounted: the disk cache warms up for both alike.
measure "$game" "$work/warm"
measure "$minimal" "$work/warm"
for _ in $(seq "$runs"); do
    measure "$game" "$work/game"
    measure "$minimal" "$work/minimal"
done

median() { # column of a results file
    cut -d' ' -f"$2" "$1" | sort -g | awk '{v[NR] = $1}
        END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
range() {
    cut -d' ' -f"$2" "$1" | sort -g | awk 'NR == 1 {lo = $1} {hi = $1} END {print lo " - " hi}'
}

gt=$(median "$work/game" 1)
mt=$(median "$work/minimal" 1)
gm=$(median "$work/game" 2)
mm=$(median "$work/minimal" 2)
echo "$runs runs each, alternating, on Xvfb :$display"
printf '%-16s %12s %20s %14s %22s\n' "" "map (ms)" "range" "peak RSS (KiB)" "range"
printf '%-16s %12s %20s %14s %22s\n' "game" "$gt" "$(range "$work/game" 1)" "$gm" "$(range "$work/game" 2)"
printf '%-16s %12s %20s %14s %22s\n' "minimal window" "$mt" "$(range "$work/minimal" 1)" "$mm" "$(range "$work/minimal" 2)"
awk -v gt="$gt" -v mt="$mt" -v gm="$gm" -v mm="$mm" 'BEGIN {
    printf "game / minimal: time %.2fx (target 1.15x), memory %.2fx (target 1.10x)\n", gt / mt, gm / mm }'
