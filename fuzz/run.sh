#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs them.  Usage: fuzz/run.sh TARGET|all SECONDS
#   TARGET: album settings themes layout jpeg bmp; "all" runs every one in turn
#   (KREL_FUZZ_JOBS=2 runs two at a time). Each run starts from the seed corpus the repository's
#   generator writes and keeps what it finds in build/fuzz/corpus/TARGET; a crash, leak or
#   undefined behaviour stops it and leaves the input in build/fuzz/crashes/.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
krel_install_missing "${KREL_FUZZ_PACKAGES[@]}"

TARGETS=(album settings themes layout jpeg bmp)
if [ $# -ne 2 ]; then
    echo "usage: $0 TARGET|all SECONDS   (targets: ${TARGETS[*]})" >&2
    exit 2
fi
what=$1
seconds=$2
out="$KREL_ROOT/build/fuzz"

cmake -S "$KREL_ROOT/fuzz" -B "$out" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j "$(nproc)"
rm -rf "$out/seeds"
"$out/fuzz_seeds" "$out/seeds"

run_one() {
    local t=$1
    mkdir -p "$out/corpus/$t" "$out/crashes" "$out/logs"
    local log="$out/logs/$t.log"
    # The pixel limit of the picture readers lets a picture of 250 megapixels through; the targets
    # decode only small ones, so 2 GB is plenty and a run that needs more is a fault.
    if nice -n 10 "$out/fuzz_$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/crashes/$t-" \
        "$out/corpus/$t" "$out/seeds/$t" >"$log" 2>&1; then
        echo "$t: clean, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
            grep -o '[0-9]*$') executions in $seconds s"
    else
        echo "$t: FAILED (see $log)"
        grep -m5 -E 'ERROR|runtime error|broken promise|SUMMARY' "$log" || true
        return 1
    fi
}

if [ "$what" = all ]; then
    jobs=${KREL_FUZZ_JOBS:-1}
    status=0
    pids=()
    for t in "${TARGETS[@]}"; do
        run_one "$t" &
        pids+=($!)
        if [ ${#pids[@]} -ge "$jobs" ]; then
            wait "${pids[0]}" || status=1
            pids=("${pids[@]:1}")
        fi
    done
    for p in "${pids[@]}"; do wait "$p" || status=1; done
    exit $status
fi
[[ " ${TARGETS[*]} " == *" $what "* ]] || { echo "unknown target $what" >&2; exit 2; }
run_one "$what"
