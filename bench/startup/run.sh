#!/usr/bin/env bash
# Start-up of the calculator against the bare window, offscreen and, where Xvfb is installed,
# on a real X server.
#   bench/startup/run.sh BUILD_DIRECTORY [RUNS]
set -euo pipefail
dir=$1/bench/startup
runs=${2:-40}

echo "== offscreen, $runs runs each"
QT_QPA_PLATFORM=offscreen "$dir/startup_runner" "$runs" "$dir/quorel_start" "$dir/bare_window"

if command -v xvfb-run >/dev/null; then
    echo "== Xvfb, $runs runs each"
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
        "$dir/startup_runner" "$runs" "$dir/quorel_start" "$dir/bare_window"
fi
