#!/usr/bin/env bash
# Runs both libFuzzer targets side by side for DZ_FUZZ_SECONDS (20 by default) from
# their seed corpora. An input that breaks one is kept in tests/fuzz/regressions/<target>/,
# which the sanitizer build replays: commit it with the fix.
#   DZ_FUZZ_SECONDS=600 tests/fuzz/run_fuzzers.sh   # builds build/asan (clang) first
#   tests/fuzz/run_fuzzers.sh BIN_DIR                # the fuzzers of a build at hand
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/asan/tests/fuzz}
if [ -z "${1:-}" ]; then
    cmake -S "$here/../.." -B "$here/../../build/asan" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_UNITY_BUILD=ON -DBUILD_TESTING=ON -DDZ_SANITIZE=ON >/dev/null
    cmake --build "$here/../../build/asan" -j"$(nproc)" --target fuzz_highscores fuzz_profile
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fuzz() {
    mkdir -p "$work/$1" # inputs found on the way stay out of the sources
    "$bin/fuzz_$1" "$work/$1" "$here/corpus/$1" -max_total_time="${DZ_FUZZ_SECONDS:-20}" \
        -max_len=12288 -timeout=10 -artifact_prefix="$here/regressions/$1/" 2>"$work/$1.log" ||
        { tail -n 30 "$work/$1.log"; echo "fuzz_$1 broke; its input is in regressions/$1"; return 1; }
}
fuzz highscores &
status=0
fuzz profile || status=1
wait $! || status=1
exit $status
