#!/usr/bin/env bash
# Runs a Windows program under Wine with the display set to DPI dots per inch, as on a PC whose
# user chose a larger scale, and sets it back to 96 afterwards. The program and whatever it
# starts get the new DPI; programs already running keep theirs.
#   win32/tests/at_dpi.sh DPI PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
dpi=$1
shift
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
wine "$@"
