#!/usr/bin/env bash
# Sets up, builds and starts Tellurax.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tellurax
exec build/tellurax "$@"
