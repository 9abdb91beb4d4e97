#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs
# every test.
# Usage: scripts/test.sh [build-folder] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${1:-build}
shift || true
cmake -S . -B "$build" -DSEQUARA_BUILD_BENCH=ON -DSEQUARA_WERROR=ON "$@" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build" --output-on-failure -j"${JOBS:-$(nproc)}" -LE long
