#!/usr/bin/env bash
# Sets up, builds and runs every test twice: a normal build, then a build
# with AddressSanitizer and UndefinedBehaviorSanitizer that fails on any report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh test
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLRX_BUILD_BENCH=ON -DTLRX_WERROR=ON
cmake --build build
(cd build && ctest --output-on-failure)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTLRX_SANITIZE=ON -DTLRX_WERROR=ON
cmake --build build-asan
(cd build-asan && ctest --output-on-failure)
