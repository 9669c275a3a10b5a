#!/usr/bin/env bash
# Start-up of the calculator against the bare window, offscreen and, where Xvfb is installed,
# on a real X server.
#   bench/startup/run.sh [BUILD_DIRECTORY [RUNS]]
# The build directory is the benchmark build's, build-bench (cmake --preset bench), unless given.
set -euo pipefail
dir=${1:-build-bench}/bench/startup
runs=${2:-40}
if [ ! -x "$dir/startup_runner" ]; then
    echo "No $dir/startup_runner: build the benchmarks first," \
        "cmake --preset bench && cmake --build build-bench" >&2
    exit 1
fi

echo "== offscreen, $runs runs each"
QT_QPA_PLATFORM=offscreen "$dir/startup_runner" "$runs" "$dir/quorel_start" "$dir/bare_window"

if command -v xvfb-run >/dev/null; then
    echo "== Xvfb, $runs runs each"
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
        "$dir/startup_runner" "$runs" "$dir/quorel_start" "$dir/bare_window"
fi
