#!/bin/sh
# Fuzzes the pure readers of outside text (transfer text cutting, chat-line
# building, the UTF-8/UTF-16 conversions), built natively with clang,
# libFuzzer and the sanitizers, in $build/fuzz.
#   fuzz.sh [SECONDS]   runs each harness for SECONDS (600 by default) and
#                       prints how many inputs each tried; the test command
#                       runs it briefly. Inputs that grew coverage are kept
#                       in $build/fuzz/corpus, so each run starts where the
#                       last one ended; a failing input is left in
#                       $build/fuzz/crash-* and the exit code is non-zero.
set -eu
. "$(dirname "$0")/common.sh"
seconds=${1:-600}
out="$build/fuzz"

build_fuzzers "$out" >/dev/null

total=0
for harness in transfer_text lines utf8; do
    corpus="$out/corpus/$harness"
    mkdir -p "$corpus"
    log="$out/$harness.log"
    if ! (cd "$out" && "./fuzz_$harness" -max_total_time="$seconds" -print_final_stats=1 \
              -artifact_prefix="$out/crash-$harness-" "$corpus" >"$log" 2>&1); then
        echo "fuzz_$harness: found a failing input:" >&2
        grep -E 'ERROR|check failed|SUMMARY|Test unit written' "$log" >&2 || tail -n 20 "$log" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$harness: ${runs:-?} inputs in $seconds s, nothing found"
    total=$((total + ${runs:-0}))
done
echo "all harnesses: $total inputs"
