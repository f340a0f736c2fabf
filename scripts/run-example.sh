#!/usr/bin/env bash
# Sets up the machine, builds Clivora and analyses a bundled example job.
# Usage: scripts/run-example.sh [JOB.clv]   (default: examples/layered_slope.clv)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh; else bash scripts/setup.sh || true; fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2 --target clivora-cli

JOB=${1:-examples/layered_slope.clv}
"$BUILD_DIR/src/cli/clivora-cli" info "$JOB"
echo
"$BUILD_DIR/src/cli/clivora-cli" analyse "$JOB"
