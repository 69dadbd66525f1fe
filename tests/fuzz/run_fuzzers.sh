#!/usr/bin/env bash
# Runs each libFuzzer target for DZ_FUZZ_SECONDS (20 by default) from its seed corpus.
# An input that breaks a target is kept in tests/fuzz/regressions/<target>/, which every
# build replays: commit it with the fix.
#   DZ_FUZZ_SECONDS=600 tests/fuzz/run_fuzzers.sh   # builds build/asan (clang) first
#   tests/fuzz/run_fuzzers.sh BIN_DIR                # the fuzzers of a build at hand
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=${1:-}
if [ -z "$bin" ]; then
    cmake -S "$root" -B "$root/build/asan" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O0 -gline-tables-only" -DCMAKE_UNITY_BUILD=ON \
        -DBUILD_TESTING=ON -DDZ_SANITIZE=ON >/dev/null
    cmake --build "$root/build/asan" -j"$(nproc)" --target fuzz_highscores fuzz_profile
    bin=$root/build/asan/tests/fuzz
fi
# Every input rewrites a file: a memory-backed folder keeps that quick.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# fuzz TARGET: one target for the time given, side by side with the other.
fuzz() {
    local kept=$here/regressions/$1
    mkdir -p "$work/$1" "$kept" # inputs found on the way stay out of the sources
    "$bin/fuzz_$1" "$work/$1" "$here/corpus/$1" "$kept" -max_total_time="${DZ_FUZZ_SECONDS:-20}" \
        -max_len=12288 -timeout=10 -artifact_prefix="$kept/" -print_final_stats=1 2>"$work/$1.log" ||
        { tail -n 40 "$work/$1.log"; echo "fuzz_$1 broke; its input is in $kept"; return 1; }
    grep -E '^stat::number_of_executed_units' "$work/$1.log" | sed "s/^/$1 /"
}
fuzz highscores &
fuzz profile || status=1
wait $! || status=1
exit ${status:-0}
