#!/usr/bin/env bash
# Builds the release twice from the current commit, in two folders of different names and
# lengths, with different time zones, umasks and locales around the build, and checks that both
# give the same SHA256SUMS and that no release file holds a build folder's path.
#   tools/test-reproducible.sh [PART...]    (parts as for tools/release.sh; default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorel-reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
first=$scratch/first
second=$scratch/the-second-build-in-a-longer-folder-name
mkdir -p "$first/tmp" "$second/tmp"

started=$SECONDS
(TZ=UTC LANG=C.UTF-8 TMPDIR=$first/tmp bash tools/release.sh -o "$first/out" "$@") \
    >"$first/log" 2>&1 ||
    { cat "$first/log"; exit 1; }
echo "first build: $((SECONDS - started)) s"
started=$SECONDS
(umask 077 && TZ=Pacific/Kiritimati LANG=zh_CN.UTF-8 TMPDIR=$second/tmp \
    bash tools/release.sh -o "$second/out" "$@") >"$second/log" 2>&1 ||
    { cat "$second/log"; exit 1; }
echo "second build: $((SECONDS - started)) s"

echo "first:"
cat "$first/out/SHA256SUMS"
echo "second:"
cat "$second/out/SHA256SUMS"
failed=0
if ! cmp -s "$first/out/SHA256SUMS" "$second/out/SHA256SUMS"; then
    echo "FAIL: the two builds differ"
    failed=1
fi
(cd "$first/out" && sha256sum --quiet -c SHA256SUMS) ||
    { echo "FAIL: SHA256SUMS does not match the files"; failed=1; }

# Every file as a user gets it, unpacked, searched for either build's folder. (Text packed inside
# the files, like the WebAssembly in Quorel.html, is covered by the comparison: the two folders'
# names differ in length, so a path anywhere would change the bytes.)
for out in "$first/out" "$second/out"; do
    unpacked=$out/unpacked
    mkdir -p "$unpacked"
    for file in "$out"/*; do
        case $file in
        *.deb) dpkg-deb -x "$file" "$unpacked/deb" ;;
        *.zip) unzip -q "$file" -d "$unpacked/zip" ;;
        *.html) cp "$file" "$unpacked/" ;;
        esac
    done
    if grep -r -l -a -F -e "$first" -e "$second" "$out" --exclude=SHA256SUMS; then
        echo "FAIL: the files above hold a build folder's path"
        failed=1
    fi
done

[ "$failed" -eq 0 ] && echo "the release is reproducible: both builds give the same files"
exit "$failed"
