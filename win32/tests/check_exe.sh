#!/usr/bin/env bash
# Checks Quorel.exe as it is shipped: one file of at most 1 MB that imports only DLLs every
# Windows from 7 on has, none of the functions Windows 7 lacks (those are looked up at run time),
# and is linked for ASLR with high entropy and for no-execute data; the face was compiled with the
# stack protector; the resources hold the version record and the manifest.
#   check_exe.sh Quorel.exe libquorel_win32.a
set -euo pipefail
exe=$1
library=$2
objdump=x86_64-w64-mingw32-objdump
nm=x86_64-w64-mingw32-nm
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

size=$(stat -c %s "$exe")
echo "Quorel.exe: $size bytes"
[ "$size" -le 1048576 ] || fail "larger than 1 MB"

headers=$($objdump -p "$exe")
allowed="ADVAPI32.dll GDI32.dll KERNEL32.dll USER32.dll msvcrt.dll ole32.dll oleacc.dll"
for dll in $(echo "$headers" | awk '/DLL Name:/ {print $3}'); do
    case " $allowed " in
    *" $dll "*) ;;
    *) fail "imports $dll" ;;
    esac
done

# Functions that came after Windows 7, the ones a DPI-aware program or a modern runtime reaches for.
newer="GetDpiForWindow GetDpiForSystem GetDpiForMonitor AdjustWindowRectExForDpi
SystemParametersInfoForDpi GetSystemMetricsForDpi SetThreadDpiAwarenessContext
SetProcessDpiAwarenessContext SetProcessDpiAwareness EnableNonClientDpiScaling
GetSystemTimePreciseAsFileTime CreateFile2 GetCurrentThreadStackLimits"
for function in $newer; do
    if grep -qw "$function" <<<"$headers"; then
        fail "imports $function, which Windows 7 lacks"
    fi
done

characteristics=$(echo "$headers" | awk '/^DllCharacteristics/ {print $2}')
for bit in 0020:HIGH_ENTROPY_VA 0040:DYNAMIC_BASE 0100:NX_COMPAT; do
    if (((0x$characteristics & 0x${bit%%:*}) == 0)); then
        fail "not linked with ${bit#*:}"
    fi
done

# Read whole before searching: grep -q stopping early would fail the pipe.
symbols=$($nm "$library" 2>/dev/null)
grep -q "U __stack_chk_fail" <<<"$symbols" || fail "the face has no stack protector"

wide_strings=$(strings -e l "$exe")
narrow_strings=$(strings "$exe")
grep -qx "080404B0" <<<"$wide_strings" || fail "no Chinese (PRC) version record"
grep -qx "Quorel.exe" <<<"$wide_strings" || fail "no OriginalFilename"
grep -q "PerMonitorV2" <<<"$narrow_strings" || fail "no per-monitor DPI manifest"
grep -q "Microsoft.Windows.Common-Controls" <<<"$narrow_strings" || fail "no Common Controls 6 manifest"

[ "$failed" -eq 0 ] && echo "Quorel.exe: imports, hardening and resources as expected"
exit "$failed"
