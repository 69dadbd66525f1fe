#!/bin/bash
# Regenerates the game's sound effects into sounds/ next to this script.
# Only needs sox. Output is byte-for-byte the same on every run: no noise
# generators are used and dithering is off (-D), so nothing random is involved.
set -euo pipefail

command -v sox >/dev/null || { echo "make-sounds.sh: sox is not installed" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
out="$here/sounds"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Intermediate files are float so that mixing cannot clip before the final
# normalisation.
RAW=(-r 44100 -c 1 -e floating-point -b 32)
FINAL=(-r 44100 -c 1 -e signed-integer -b 16)

# new: a fresh intermediate file name. Every helper runs in its own subshell,
# so a shared counter would not survive; mktemp does.
new() { mktemp --suffix=.wav -p "$tmp"; }

# tone WAVE FREQ DUR DECAY [extra sox effects...]
# Prints the name of a new file holding one note. DECAY is in dB per second;
# the note also gets a short attack and release so it never starts or stops
# on a click.
tone() {
    local wave=$1 freq=$2 dur=$3 decay=$4
    shift 4
    local f
    f=$(new)
    if [ "$decay" = 0 ]; then
        sox -D -n "${RAW[@]}" "$f" synth "$dur" "$wave" "$freq" gain -18 "$@" \
            fade q 0.006 -0 0.02
    else
        # An exponential decay: sox's logarithmic fade drops 100 dB over its
        # length, so stretch it to reach -100 dB at 100/DECAY seconds.
        local len
        len=$(awk -v d="$decay" -v t="$dur" 'BEGIN { l = 100 / d; if (l < t) l = t; printf "%.4f", l }')
        sox -D -n "${RAW[@]}" "$f" synth "$len" "$wave" "$freq" gain -18 "$@" \
            fade l 0 "$len" "$len" trim 0 "$dur" fade q 0.004 -0 0.015
    fi
    echo "$f"
}

# hz NOTE: frequency of a note such as A4, F#3 or Bb5 (plain numbers pass
# through), for the helpers that need to do arithmetic on it.
hz() {
    awk -v n="$1" 'BEGIN {
        if (n ~ /^[0-9.]+$/) { print n; exit }
        s = index("C D EF G A B", substr(n, 1, 1)) - 1
        rest = substr(n, 2)
        if (substr(rest, 1, 1) == "#") { s++; rest = substr(rest, 2) }
        else if (substr(rest, 1, 1) == "b") { s--; rest = substr(rest, 2) }
        printf "%.3f", 440 * 2 ^ ((s - 9 + 12 * (rest - 4)) / 12)
    }'
}

# voice NOTE DUR DECAY LEVEL PARTIAL...: a sum of sine partials, each given
# as MULTIPLE:LEVEL:DECAY-FACTOR. Built from sines because sox's square and
# sawtooth alias audibly at melody pitches.
voice() {
    local freq dur=$2 decay=$3 level=$4 p mult amp fac args=() f
    freq=$(hz "$1")
    shift 4
    for p in "$@"; do
        IFS=: read -r mult amp fac <<<"$p"
        args+=(-v "$(awk -v l="$level" -v a="$amp" 'BEGIN { print l * a }')"
               "$(tone sine "$(awk -v f="$freq" -v m="$mult" 'BEGIN { print f * m }')" "$dur" \
                   "$(awk -v d="$decay" -v k="$fac" 'BEGIN { print d * k }')")")
    done
    f=$(new)
    sox -D -m "${args[@]}" "${RAW[@]}" "$f"
    echo "$f"
}

# bell NOTE DUR DECAY [LEVEL]: two quieter overtones that die away first.
bell() {
    voice "$1" "$2" "$3" "${4:-1}" 1:1:1 2:0.3:1.6 3:0.1:2.4
}

# brass NOTE DUR DECAY [LEVEL]: a rich, bright, evenly decaying tone.
brass() {
    voice "$1" "$2" "$3" "${4:-1}" 1:1:1 2:0.6:1 3:0.4:1.1 4:0.28:1.2 5:0.18:1.3 6:0.1:1.4
}

# at SECONDS FILE: the same note, starting later.
at() {
    local f
    f=$(new)
    sox -D "$2" "${RAW[@]}" "$f" pad "$1" 0
    echo "$f"
}

# render NAME LENGTH FILE...: mixes the notes and writes the finished effect,
# cut to LENGTH, faded at both ends and peaking at -3 dBFS.
render() {
    local name=$1 length=$2
    shift 2
    # A silent bed of the full length, so a short mix is padded out to it.
    local bed inputs=() f
    bed=$(new)
    sox -D -n "${RAW[@]}" "$bed" trim 0 "$length"
    for f in "$bed" "$@"; do inputs+=(-v 1 "$f"); done
    sox -D -m "${inputs[@]}" "${RAW[@]}" "$tmp/mix.wav"
    # The tail fade grows with the effect so ringing notes die away gently.
    local tail
    tail=$(awk -v l="$length" 'BEGIN { t = l * 0.12; if (t < 0.03) t = 0.03; printf "%.3f", t }')
    # Written under a temporary name first so an interrupted run never leaves
    # a half-written effect behind.
    sox -D "$tmp/mix.wav" "${FINAL[@]}" "$tmp/$name" \
        trim 0 "$length" highpass 30 \
        fade q 0.005 -0 "$tail" gain -n -3
    mv -f "$tmp/$name" "$out/$name"
    echo "$out/$name"
}

# Bright rising two-note chime.
render NewGame.Wav 0.35 \
    "$(bell E5 0.35 70)" \
    "$(at 0.10 "$(bell B5 0.25 45)")"

# Short low thud with a buzzy edge.
render Error.Wav 0.2 \
    "$(tone sine 150:55 0.2 45)" \
    "$(tone square 98 0.18 35 lowpass 700 gain -5)"

# Two flat, even notes, a third apart: neither happy nor sad.
render TieGame.Wav 0.6 \
    "$(tone triangle A4 0.27 12 lowpass 2000)" \
    "$(tone sine A5 0.27 20 gain -12)" \
    "$(at 0.30 "$(tone triangle F4 0.30 12 lowpass 2000)")" \
    "$(at 0.30 "$(tone sine F5 0.30 20 gain -12)")"

# Brassy rising arpeggio that lands on a ringing major chord.
render PlayerWin.Wav 0.9 \
    "$(brass C5 0.14 20)" \
    "$(at 0.09 "$(brass E5 0.14 20)")" \
    "$(at 0.18 "$(brass G5 0.14 20)")" \
    "$(at 0.27 "$(brass C6 0.63 9)")" \
    "$(at 0.27 "$(brass G5 0.63 9 0.6)")" \
    "$(at 0.27 "$(brass E5 0.63 9 0.5)")" \
    "$(at 0.27 "$(bell C7 0.63 14 0.5)")"

# Sad trombone: three falling "wah"s and a long wobbling one.
wah() {
    tone sawtooth "$1" "$2" 0 lowpass 1100 lowpass 1800 fade h 0.05 -0 0.08 "${@:3}"
}
render ComputerWin.Wav 1.0 \
    "$(wah G3 0.20)" \
    "$(at 0.22 "$(wah F#3 0.20)")" \
    "$(at 0.44 "$(wah F3 0.20)")" \
    "$(at 0.66 "$(wah 164.8:158 0.34 tremolo 7 45)")"

# Soft falling triad to say goodbye.
render EndProgram.Wav 0.7 \
    "$(bell G5 0.30 30 0.8)" \
    "$(at 0.14 "$(bell E5 0.30 30 0.8)")" \
    "$(at 0.28 "$(bell C5 0.42 20)")"

# Ka-ching: a metallic tick, then a shimmering cluster and a few sparkles.
render GoodDeal.Wav 0.6 \
    "$(tone square 1800 0.04 160 lowpass 5000)" \
    "$(tone sine 5200:2600 0.04 120)" \
    "$(at 0.06 "$(tone sine 2349 0.54 14 tremolo 19 35)")" \
    "$(at 0.06 "$(tone sine 3136 0.54 16 tremolo 23 35)")" \
    "$(at 0.06 "$(tone sine 3951 0.54 18 tremolo 17 40 gain -2)")" \
    "$(at 0.06 "$(tone sine 4699 0.54 22 gain -4)")" \
    "$(at 0.16 "$(tone sine 6272 0.12 90 gain -6)")" \
    "$(at 0.26 "$(tone sine 5274 0.12 90 gain -6)")" \
    "$(at 0.36 "$(tone sine 7040 0.12 90 gain -8)")"
