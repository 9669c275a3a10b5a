#!/usr/bin/env bash
# Compiles the Windows resource script (version record and icon) with the MinGW resource
# compiler and reads the version record back from the result: it must carry VERSION.
#   check_resources.sh RC_FILE WORK_DIRECTORY VERSION
# The tools are taken from WINDRES and CPP where set, else from PATH.
set -euo pipefail
rc=$1
work=$2
version=$3
mkdir -p "$work"
windres=${WINDRES:-x86_64-w64-mingw32-windres}
cpp=${CPP:-cpp}

# The version's parts as the four numbers of the binary record (missing parts are 0), and the
# text with its dots escaped for the regular expressions below.
IFS=. read -r major minor patch tweak <<<"$version"
numbers=()
for part in "$major" "${minor:-0}" "${patch:-0}" "${tweak:-0}"; do
    numbers+=("$((10#$part))")
done
text=${version//./\\.}

# The script needs no Windows headers, so the host's C preprocessor serves.
"$windres" --preprocessor="$cpp" --preprocessor-arg=-P --preprocessor-arg=-DRC_INVOKED \
    --input-format=rc --output-format=coff -i "$rc" -o "$work/quorel_res.o"
"$windres" --preprocessor="$cpp" --input-format=coff --output-format=rc -i "$work/quorel_res.o" \
    -o "$work/roundtrip.rc"

failed=0
expect() {
    grep -qE "$1" "$work/roundtrip.rc" || { echo "FAIL: missing $1"; failed=1; }
}
binary="${numbers[0]}, ?${numbers[1]}, ?${numbers[2]}, ?${numbers[3]}"
expect "FILEVERSION $binary"
expect "PRODUCTVERSION $binary"
expect 'BLOCK "080404[bB]0"'
expect "VALUE \"FileVersion\", \"$text\""
expect "VALUE \"ProductVersion\", \"$text\""
expect 'VALUE "Translation", 0x0?804, (0x0?4[bB]0|1200)'
expect 'ICON'
[ $failed -eq 0 ] && echo "version record and icon compile for Windows"
exit $failed
