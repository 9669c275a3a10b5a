#!/usr/bin/env bash
# Start-up of Quorel.exe against a bare Win32 window with the same controls, under Wine, to the
# first painted frame, measured alternately in one run; ROUNDS such runs one after another show
# how steady the ratio is. The same controls means the same control library: the bare window
# carries Quorel.exe's manifest, whose Common Controls 6 cost Wine a DLL load at the first
# control. A last run compares with the bare window on the system's classic controls, to show
# what that library costs.
# Without a WINEPREFIX set, it makes a fresh prefix on its own display (tools/wine-env.sh) and
# removes it afterwards.
#   bench/startup/run-windows.sh BUILD_DIRECTORY [RUNS] [ROUNDS]
set -euo pipefail
build=$(realpath "$1")
runs=${2:-30}
rounds=${3:-1}
cd "$(dirname "$0")/../.."
if [ -z "${WINEPREFIX:-}" ]; then
    . tools/wine-env.sh
fi
ls -l "$build/win32/Quorel.exe" | awk '{print "Quorel.exe: " $5 " bytes"}'
for ((round = 1; round <= rounds; ++round)); do
    wine "$build/bench/startup/windows/first_paint_runner.exe" "$runs" \
        "$build/win32/Quorel.exe" "$build/bench/startup/windows/bare_window_win32_styled.exe"
done
echo "against the bare window on the classic controls, without Common Controls 6:"
wine "$build/bench/startup/windows/first_paint_runner.exe" "$runs" \
    "$build/win32/Quorel.exe" "$build/bench/startup/windows/bare_window_win32.exe"
