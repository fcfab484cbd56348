#!/usr/bin/env bash
# Builds every fuzz target with libFuzzer (the whole core instrumented, see
# fuzz/CMakeLists.txt) and runs them one after the other, each for SECONDS.
#
#   fuzz/run-all.sh SECONDS [Target ...]      e.g. fuzz/run-all.sh 300 RegexFuzz
#
# SECONDS 0 fuzzes nothing and only merges the working corpora (the table
# then repeats the figures of each target's last run).
#
# Each target starts from its committed corpus (fuzz/corpus/<Target>/) and
# a working corpus that persists in the build folder between runs. After
# the run the working corpus is merged into the committed one with
# -merge=1 -use_counters=0, which adds only inputs that reach new edges
# (not merely new hit counts), so the committed corpus stays small. Crash,
# leak, timeout and out-of-memory reproducers are kept in
# fuzz/reproducers/<Target>/; once the fault is fixed, a reproducer moves
# into the corpus as a regression input.
# At the end a table gives each target's executions per second and its
# coverage (cov: edges, ft: features) from libFuzzer's final report.
#
# Environment: ORVEX_FUZZ_BUILD (build folder, default build-fuzz),
# ORVEX_FUZZ_NICE (niceness of the runs, default 10), ORVEX_FUZZ_MERGE=0
# to leave the committed corpus alone.
set -euo pipefail

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [Target ...]" >&2
    exit 2
fi
SECONDS_EACH=$1
shift
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ORVEX_FUZZ_BUILD:-$ROOT/build-fuzz}
NICE=${ORVEX_FUZZ_NICE:-10}
MERGE=${ORVEX_FUZZ_MERGE:-1}
# Targets whose committed corpus stays as written: tests/settings reads the
# SettingsFuzz seeds as whole settings files to damage, so minimised
# fragments must not join them (their new inputs stay in the working
# corpus).
KEEP_SEEDS_ONLY=" SettingsFuzz "

# clang with libFuzzer's run-time: on Debian 12 the packages clang and
# libclang-rt-14-dev. Installed when missing and we are root.
have_libfuzzer() {
    local dir
    dir=$(mktemp -d)
    printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$dir/t.cpp"
    local ok=1
    clang++ -fsanitize=fuzzer,address,undefined "$dir/t.cpp" -o "$dir/t" > /dev/null 2>&1 || ok=0
    rm -rf "$dir"
    [[ $ok == 1 ]]
}
if ! command -v clang++ > /dev/null 2>&1 || ! have_libfuzzer; then
    if [[ $(id -u) == 0 ]] && command -v apt-get > /dev/null 2>&1; then
        echo "installing clang and libFuzzer (clang, libclang-rt-14-dev)" >&2
        apt-get update -qq && apt-get install -y -qq clang libclang-rt-14-dev > /dev/null
    fi
    if ! command -v clang++ > /dev/null 2>&1 || ! have_libfuzzer; then
        echo "clang++ with -fsanitize=fuzzer is needed (Debian: apt-get install clang libclang-rt-14-dev)" >&2
        exit 1
    fi
fi

if [[ ! -f $BUILD/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DORVEX_CORE_ONLY=ON -DORVEX_FUZZERS=ON > /dev/null
fi

if [[ $# -gt 0 ]]; then
    TARGETS=("$@")
else
    TARGETS=()
    for src in "$ROOT"/fuzz/*Fuzz.cpp; do
        TARGETS+=("$(basename "$src" .cpp)")
    done
fi

SUMMARY=$(mktemp)
trap 'rm -f "$SUMMARY"' EXIT
for name in "${TARGETS[@]}"; do
    lower=$(echo "$name" | tr 'A-Z' 'a-z')
    bin=$BUILD/bin/${lower}_fuzzer
    echo "== $name: building" >&2
    nice -n 5 cmake --build "$BUILD" -j 1 --target "${lower}_fuzzer" > /dev/null
    corpus=$ROOT/fuzz/corpus/$name
    work=$BUILD/fuzz-work/$name
    repro=$ROOT/fuzz/reproducers/$name
    log=$BUILD/fuzz-logs/$name.log
    mkdir -p "$corpus" "$work" "$repro" "$(dirname "$log")"
    status=0
    if [[ $SECONDS_EACH -gt 0 ]]; then
        echo "== $name: fuzzing for $SECONDS_EACH s (log $log)" >&2
        # New inputs go to the first folder (the working corpus); the
        # committed corpus is read only.
        nice -n "$NICE" "$bin" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -timeout=10 \
            -rss_limit_mb=2048 -artifact_prefix="$repro/" "$work" "$corpus" > "$log" 2>&1 || status=$?
    fi
    # cov: and ft: of the last status line, executions per second of the
    # final report.
    last=$(grep -E '^#[0-9]+' "$log" 2> /dev/null | tail -n 1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$last")
    execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" 2> /dev/null | tail -n 1)
    units=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" 2> /dev/null | tail -n 1)
    result=ok
    if [[ $status != 0 ]]; then
        result="FAILED ($status): $(grep -m1 -E 'ERROR: |runtime error|deadly signal' "$log" || echo see log)"
    fi
    if [[ $MERGE == 1 && $KEEP_SEEDS_ONLY != *" $name "* ]]; then
        before=$(find "$corpus" -type f | wc -l)
        nice -n "$NICE" "$bin" -merge=1 -use_counters=0 -timeout=10 -rss_limit_mb=2048 "$corpus" "$work" \
            > "$log.merge" 2>&1 ||
            echo "== $name: merge failed, see $log.merge" >&2
        after=$(find "$corpus" -type f | wc -l)
        added=$((after - before))
    else
        added=-
    fi
    printf '%-20s %10s %12s %8s %8s %6s  %s\n' "$name" "${execs:--}" "${units:--}" "${cov:--}" "${ft:--}" \
        "$added" "$result" >> "$SUMMARY"
    if compgen -G "$repro/*" > /dev/null; then
        echo "== $name: reproducers in $repro" >&2
    else
        rmdir "$repro" 2> /dev/null || true
    fi
done
rmdir "$ROOT/fuzz/reproducers" 2> /dev/null || true

printf '%-20s %10s %12s %8s %8s %6s  %s\n' target exec/s executions cov ft added result
cat "$SUMMARY"
echo "committed corpus: $(find "$ROOT/fuzz/corpus" -type f -printf "%s\n" | awk "{ s += \$1 } END { print s }") bytes in $(find "$ROOT/fuzz/corpus" -type f | wc -l) files"
