#!/usr/bin/env bash
# Sets up the machine, builds Clivora and opens a bundled example job in the
# desktop program. Without a display it prints the analysis with clivora-cli.
# Usage: scripts/run-example.sh [JOB.clv]   (default: examples/layered_slope.clv)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh; else bash scripts/setup.sh || true; fi

BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2

JOB=${1:-examples/layered_slope.clv}
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    if [ -x "$BUILD_DIR/src/app/clivora" ]; then
        echo "Opening $JOB in clivora"
        exec "$BUILD_DIR/src/app/clivora" "$JOB"
    fi
    echo "clivora was not built (Qt 6 Widgets missing?): printing the analysis with clivora-cli instead."
else
    echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are not set): printing the analysis of $JOB with clivora-cli instead of opening clivora."
fi
echo
"$BUILD_DIR/src/cli/clivora-cli" info "$JOB"
echo
"$BUILD_DIR/src/cli/clivora-cli" analyse "$JOB"
