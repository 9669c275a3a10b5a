#!/usr/bin/env bash
# Checks the Windows ZIP as it is shipped: Quorel.exe and README.txt, in that order and nothing
# else; the read-me names the version; both files carry the same time and mode 644.
#   check_zip.sh Quorel-VERSION-windows-x64.zip VERSION
set -euo pipefail
zip=$1
version=$2
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

[ -f "$zip" ] || { echo "FAIL: no $zip"; exit 1; }
[ "$(basename "$zip")" = "Quorel-$version-windows-x64.zip" ] || fail "named $(basename "$zip")"
contents=$(unzip -Z1 "$zip" | tr '\n' ' ')
[ "$contents" = "Quorel.exe README.txt " ] || fail "holds $contents"

first_line=$(unzip -p "$zip" README.txt | head -n 1)
[[ $first_line == $'\xef\xbb\xbf'"Quorel $version - "* ]] || fail "the read-me begins: $first_line"
unzip -p "$zip" README.txt | grep -qv $'\r$' && fail "the read-me has lines without CRLF"

# zipinfo -T: "-rw-r--r--  3.0 unx  123 bx defN 20261210.235740 Quorel.exe"
listing=$(zipinfo -T "$zip" | grep -E '^[-d]')
echo "$listing"
[ "$(awk '{print $1}' <<<"$listing" | sort -u)" = "-rw-r--r--" ] || fail "modes other than 644"
[ "$(awk '{print $7}' <<<"$listing" | sort -u | wc -l)" -eq 1 ] || fail "files with different times"
zipinfo -v "$zip" | grep -q "length of extra field: *[1-9]" && fail "entries carry extra fields"

[ "$failed" -eq 0 ] && echo "$(basename "$zip"): contents, read-me and file times as expected"
exit "$failed"
