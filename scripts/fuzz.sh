#!/usr/bin/env bash
# Fuzzes the readers: builds the libFuzzer harnesses of tests/fuzz with clang
# (AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz/ and runs each
# for a given time, all at once on CORES processors, then prints per harness its
# executions, crashes, timeouts, out-of-memory stops and peak memory.
#
#   scripts/fuzz.sh SECONDS [CORES [HARNESS...]]   fuzz every harness (or those named)
#                                                  for SECONDS on CORES processors (default 2)
#   scripts/fuzz.sh --minimise [HARNESS...]        merge what the runs found into
#                                                  the committed corpus, minimised
#                                                  (export TMPDIR elsewhere to keep it)
#
# Each harness starts from its committed corpus (tests/fuzz/corpus/NAME) and
# keeps the inputs it finds in build-fuzz/corpus/NAME; a failing input lands
# in build-fuzz/findings/NAME/ (crash-*, leak-*, timeout-*, oom-*) and its
# log in build-fuzz/logs/NAME.log. A failure ends that harness's run. Once
# fixed, the minimised failing input goes into the corpus as regression-NAME,
# which --minimise keeps.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup-debian.sh fuzz

minimise=0
if [ "${1:-}" = "--minimise" ]; then
  minimise=1
  shift
  seconds=0
  cores=${TLRX_FUZZ_CORES:-2}
else
  seconds=${1:?usage: scripts/fuzz.sh SECONDS [CORES [HARNESS...]] | --minimise [HARNESS...]}
  cores=${2:-2}
  shift $(($# < 2 ? $# : 2))
fi
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for d in tests/fuzz/corpus/*/; do harnesses+=("$(basename "$d")"); done
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DTLRX_FUZZ=ON -DTLRX_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j "$cores" --target "${harnesses[@]}"

export QT_QPA_PLATFORM=offscreen
# Every input is written to a file: in memory when it can be, several times faster.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
# ASan's default quarantine (256 MB) makes memory climb over a long run; 32 MB
# keeps it flat. Fontconfig keeps allocations it never frees: suppressed.
export ASAN_OPTIONS=quarantine_size_mb=32:detect_leaks=1:abort_on_error=0:symbolize=1
export LSAN_OPTIONS=suppressions=$root/tests/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
command -v llvm-symbolizer-14 >/dev/null && export ASAN_SYMBOLIZER_PATH=$(command -v llvm-symbolizer-14)

out=build-fuzz
mkdir -p "$out/logs"

if [ $minimise -eq 1 ]; then
  for h in "${harnesses[@]}"; do
    fresh=$(mktemp -d)
    mkdir -p "$out/corpus/$h"
    # Edges only (no hit counts): the smallest set that reaches every edge.
    "$out/tests/fuzz/$h" -merge=1 -use_counters=0 "$fresh" "tests/fuzz/corpus/$h" "$out/corpus/$h" >"$out/logs/$h-merge.log" 2>&1
    # Inputs that once failed stay under their own names.
    find "tests/fuzz/corpus/$h" -type f ! -name 'regression-*' -delete
    cp "$fresh"/* "tests/fuzz/corpus/$h/"
    rm -rf "$fresh"
    echo "$h: $(ls "tests/fuzz/corpus/$h" | wc -l) inputs, $(cat "tests/fuzz/corpus/$h"/* | wc -c) bytes"
  done
  exit 0
fi

run() {
  local h=$1
  mkdir -p "$out/corpus/$h" "$out/findings/$h"
  taskset -c "$cpus" "$out/tests/fuzz/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$h/" "$out/corpus/$h" "tests/fuzz/corpus/$h" >"$out/logs/$h.log" 2>&1 || true
}

# Every harness runs for the whole time, all at once, sharing CORES processors.
cpus=0-$((cores - 1))
touch "$out/logs/start"  # the findings of this run are the newer ones
for h in "${harnesses[@]}"; do
  run "$h" &
done
wait

printf '%-14s %14s %8s %9s %5s %9s\n' harness executions crashes timeouts ooms "peak MB"
for h in "${harnesses[@]}"; do
  log=$out/logs/$h.log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
  count() { find "$out/findings/$h" -name "$1-*" -newer "$out/logs/start" | wc -l; }
  crashes=$(($(count crash) + $(count leak) + $(count deadly)))
  printf '%-14s %14s %8s %9s %5s %9s\n' "$h" "${execs:-?}" "$crashes" "$(count timeout)" "$(count oom)" "${rss:-?}"
done
