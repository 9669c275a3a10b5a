#!/usr/bin/env bash
# Compiles the Windows resource script (version record and icon) with the MinGW resource
# compiler and reads the version record back from the result.
#   check_windows_resources.sh RC_FILE WORK_DIRECTORY
set -euo pipefail
rc=$1
work=$2
mkdir -p "$work"
windres=x86_64-w64-mingw32-windres

# The script needs no Windows headers, so the host's C preprocessor serves.
"$windres" --preprocessor=cpp --preprocessor-arg=-P --preprocessor-arg=-DRC_INVOKED \
    --input-format=rc --output-format=coff -i "$rc" -o "$work/quorel_res.o"
"$windres" --preprocessor=cpp --input-format=coff --output-format=rc -i "$work/quorel_res.o" \
    -o "$work/roundtrip.rc"

failed=0
expect() {
    grep -qE "$1" "$work/roundtrip.rc" || { echo "FAIL: missing $1"; failed=1; }
}
expect 'FILEVERSION 1, ?1, ?0, ?0'
expect 'PRODUCTVERSION 1, ?1, ?0, ?0'
expect 'BLOCK "080404[bB]0"'
expect 'VALUE "FileVersion", "1\.01"'
expect 'VALUE "ProductVersion", "1\.01"'
expect 'VALUE "Translation", 0x0?804, (0x0?4[bB]0|1200)'
expect 'ICON'
[ $failed -eq 0 ] && echo "version record and icon compile for Windows"
exit $failed
