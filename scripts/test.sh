#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build, then a build
# with AddressSanitizer and UndefinedBehaviorSanitizer that fails on any report.
# The tests run in parallel on all cores; `ctest -LE external` in build/ is
# the quick loop without the outside readers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh test
export QT_QPA_PLATFORM=offscreen
# The sources' layout (.clang-format): fails on a file that drifts.
scripts/check-format.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLRX_BUILD_BENCH=ON -DTLRX_WERROR=ON
cmake --build build
(cd build && ctest -j "$(nproc)" --output-on-failure)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTLRX_SANITIZE=ON -DTLRX_WERROR=ON
cmake --build build-asan
(cd build-asan && ctest -j "$(nproc)" --output-on-failure)
