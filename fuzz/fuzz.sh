#!/usr/bin/env bash
# fuzz/fuzz.sh: builds and runs the libFuzzer targets of fuzz/ in build-fuzz (clang).
#   fuzz/fuzz.sh check                  every target over its corpus and regressions, once
#   fuzz/fuzz.sh run MINUTES [TARGET..] real fuzzing, each target in turn, one worker
#   fuzz/fuzz.sh seeds                  remakes the corpora from make_content's output
# Targets: level_file ground_file quick_save tga (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${GLIMBO_FUZZ_BUILD:-build-fuzz}
targets_all=(level_file ground_file quick_save tga)

# Sanitizer reports and failed checks end a run with the input kept as a crash.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

build_targets() {
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DGLIMBO_FUZZ=ON -DGLIMBO_TESTS=OFF -DGLIMBO_WERROR=ON >/dev/null
    cmake --build "$build" --target "$@" -j2 -- --no-print-directory >"$build.log" 2>&1 || {
        grep -E -A3 'error|Error' "$build.log" | head -60 >&2
        echo "fuzz build failed; full log in $build.log" >&2
        exit 1
    }
}

inputs_of() {
    find "fuzz/corpus/$1" "fuzz/regressions/$1" -type f 2>/dev/null | sort
}

check() {
    build_targets fuzz_targets
    local t failed=0
    for t in "${targets_all[@]}"; do
        mapfile -t files < <(inputs_of "$t")
        if [ ${#files[@]} -eq 0 ]; then
            echo "fuzz $t: no inputs" >&2
            failed=1
            continue
        fi
        if "$build/fuzz/fuzz_$t" "${files[@]}" >"$build/check_$t.log" 2>&1; then
            echo "fuzz $t: ${#files[@]} inputs passed"
        else
            tail -30 "$build/check_$t.log" >&2
            echo "fuzz $t: FAILED (log in $build/check_$t.log)" >&2
            failed=1
        fi
    done
    return $failed
}

run() {
    local minutes=${1:?usage: fuzz/fuzz.sh run MINUTES [TARGET...]}
    shift
    local targets=("$@")
    [ ${#targets[@]} -eq 0 ] && targets=("${targets_all[@]}")
    build_targets fuzz_targets
    local t
    for t in "${targets[@]}"; do
        # New inputs go to a scratch corpus; the committed one stays as it is.
        local work="$build/work/$t" findings="$build/findings/$t"
        mkdir -p "$work" "$findings"
        echo "fuzzing $t for $minutes min (log in $build/run_$t.log)"
        "$build/fuzz/fuzz_$t" "$work" "fuzz/corpus/$t" "fuzz/regressions/$t" \
            -max_total_time=$((minutes * 60)) -print_final_stats=1 \
            -artifact_prefix="$findings/" >"$build/run_$t.log" 2>&1 || true
        grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)|stat::number_of_executed_units|stat::peak_rss' \
            "$build/run_$t.log" | tail -3 || true
        local found
        found=$(find "$findings" -type f | wc -l)
        echo "$t: $found finding(s) in $findings (copy them to fuzz/regressions/$t once fixed)"
    done
}

seeds() {
    build_targets make_content make_seeds
    local content="$build/seed_content"
    rm -rf "$content"
    "$build/bin/make_content" "$content" --levels tools/levels >/dev/null
    "$build/fuzz/make_seeds" "$content" fuzz
    echo "corpora written to fuzz/corpus, levels to fuzz/quick_save_files"
}

case "${1:-}" in
check) check ;;
run) shift; run "$@" ;;
seeds) seeds ;;
*) sed -n '2,6p' "$0" >&2; exit 2 ;;
esac
