#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each one for a
# bounded time from its seed corpus. An input that breaks a target is kept in
# tests/fuzz/regressions/<target>/, which the ordinary test build replays: commit it
# with the fix.
#   DZ_FUZZ_SECONDS=600 tests/fuzz/run_fuzzers.sh    # ten minutes per target
# Without DZ_FUZZ_SECONDS or CI set it does nothing, so ./test stays quick.
set -euo pipefail

if [ -z "${DZ_FUZZ_SECONDS:-}" ] && [ -z "${CI:-}" ]; then
    echo "fuzzing skipped (set DZ_FUZZ_SECONDS)"
    exit 0
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$root/build/fuzz
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DDZ_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_highscores fuzz_profile

# Every input rewrites a file: a memory-backed folder keeps that quick.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
# The high-score reader cuts lines at 4096 bytes, so it gets longer inputs.
for target in highscores:12288 profile:4096; do
    name=${target%%:*} kept=$here/regressions/$name log=$build/fuzz_$name.log
    mkdir -p "$build/corpus/$name" "$kept" # inputs found on the way stay out of the sources
    echo "fuzzing $name for ${DZ_FUZZ_SECONDS:-30}s"
    "$build/tests/fuzz/fuzz_$name" "$build/corpus/$name" "$here/corpus/$name" "$kept" \
        -max_total_time="${DZ_FUZZ_SECONDS:-30}" -max_len="${target##*:}" -timeout=10 \
        -artifact_prefix="$kept/" -print_final_stats=1 2>"$log" ||
        { tail -n 40 "$log"; echo "fuzz_$name broke; the input is kept in $kept"; status=1; }
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" || true
done
exit $status
