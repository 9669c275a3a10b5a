#!/usr/bin/env bash
# Builds every release file of one commit into one folder: the Debian packages (for this machine
# and, cross-built, for arm64), the Windows ZIP and the Quorel.exe it holds (so that a copy of
# the exe can be checked on its own), Quorel.html and the ZIP of its site when the commit has the
# web page, and SHA256SUMS over them. The build runs on a clean copy of the commit (git archive)
# in a temporary folder, with SOURCE_DATE_EPOCH set to the commit's date, so that anyone building
# the same commit gets the same bytes.
#   tools/release.sh [-c COMMIT] [-o OUTPUT_FOLDER] [PART...]
# PART is deb, arm64, windows or web (default: all that the commit has); OUTPUT_FOLDER defaults to
# release/ in the source folder. Needs what tools/install-deps.sh test installs.
set -euo pipefail
cd "$(dirname "$0")/.."
repository=$PWD

commit=HEAD
output=$repository/release
while getopts c:o: option; do
    case $option in
    c) commit=$OPTARG ;;
    o) output=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
parts=("$@")

commit=$(git rev-parse --verify "$commit^{commit}")
if [ "$commit" = "$(git rev-parse HEAD)" ] &&
    [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes are not part of the release of $commit" >&2
fi
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
# Nothing of the builder's own settings reaches the files.
export TZ=UTC LC_ALL=C.UTF-8
umask 022

work=$(mktemp -d "${TMPDIR:-/tmp}/quorel-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
source=$work/source
mkdir -p "$source"
git archive --format=tar "$commit" | tar -x -C "$source"

if [ ${#parts[@]} -eq 0 ]; then
    parts=(deb windows)
    [ -f "$source/cmake/aarch64-linux-gnu.cmake" ] && parts+=(arm64)
    [ -d "$source/web" ] && parts+=(web)
fi

jobs=$(nproc)
files=()

# Builds the Debian package in $work/FOLDER from PRESET and adds it to the release files.
#   debian_package FOLDER PRESET [CMAKE_ARGUMENT...]
debian_package() {
    local folder=$1 preset=$2
    shift 2
    (cd "$source" && cmake --preset "$preset" -B "$work/$folder" "$@" >/dev/null)
    cmake --build "$work/$folder" -j"$jobs"
    (cd "$work/$folder" && cpack -G DEB -B "$work/$folder/package" >/dev/null)
    files+=("$(ls "$work/$folder"/package/Quorel-*.deb)")
}

for part in "${parts[@]}"; do
    echo "== $part"
    case $part in
    deb) debian_package deb release ;;
    arm64) debian_package arm64 arm64 -DQUOREL_BUILD_TESTS=OFF ;;
    windows)
        (cd "$source" &&
            cmake --preset windows -B "$work/windows" -DQUOREL_BUILD_TESTS=OFF >/dev/null)
        cmake --build "$work/windows" -j"$jobs" --target zip
        files+=("$(ls "$work"/windows/Quorel-*-windows-x64.zip)" "$work/windows/win32/Quorel.exe")
        ;;
    web)
        (cd "$source" && cmake --preset web -B "$work/web" -DQUOREL_BUILD_TESTS=OFF >/dev/null)
        cmake --build "$work/web" -j"$jobs" --target quorel_page site_zip
        files+=("$(find "$work/web" -name Quorel.html -print -quit)"
                "$(ls "$work"/web/Quorel-*-site.zip)")
        ;;
    *)
        echo "unknown part: $part (deb, arm64, windows or web)" >&2
        exit 2
        ;;
    esac
done

mkdir -p "$output"
rm -f "$output"/SHA256SUMS
for file in "${files[@]}"; do
    [ -f "$file" ] || { echo "FAIL: a release file was not made" >&2; exit 1; }
    cp "$file" "$output/"
done
(cd "$output" && for file in "${files[@]}"; do basename "$file"; done | LC_ALL=C sort |
    xargs sha256sum >SHA256SUMS)
echo "== Release of $commit ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%F %T UTC')) in $output"
cat "$output/SHA256SUMS"
