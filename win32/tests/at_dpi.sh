#!/usr/bin/env bash
# Runs a command with Wine's display set to DPI dots per inch, as on a PC whose user chose a
# larger scale, and sets it back to 96 afterwards. The command is what starts the Windows program
# under Wine: `wine PROGRAM.exe`, or the runner the build runs its tests with. The program and
# whatever it starts get the new DPI; programs already running keep theirs.
#   win32/tests/at_dpi.sh DPI COMMAND [ARGUMENTS...]
#   win32/tests/at_dpi.sh 192 wine PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
dpi=$1
shift
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
"$@"
