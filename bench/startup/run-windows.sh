#!/usr/bin/env bash
# Start-up of Quorel.exe against a bare Win32 window with the same controls, under Wine, to the
# first painted frame, measured alternately in one run. Run it with the Wine environment that
# tools/test-windows.sh sets up (DISPLAY, WINEPREFIX, Managed=N, a running wineserver).
#   bench/startup/run-windows.sh BUILD_DIRECTORY [RUNS]
set -euo pipefail
build=$1
runs=${2:-30}
ls -l "$build/win32/Quorel.exe" | awk '{print "Quorel.exe: " $5 " bytes"}'
wine "$build/bench/startup/windows/first_paint_runner.exe" "$runs" \
    "$build/win32/Quorel.exe" "$build/bench/startup/windows/bare_window_win32.exe"
