#!/usr/bin/env bash
# The arm64 stage: cross-builds Quorel for 64-bit ARM Linux (preset arm64: Debian's aarch64
# compiler against the arm64 Qt installed beside this machine's own) and runs under qemu-user the
# core's and the form's tests, the rounding check against MPFR, the comparison of the arm64 core
# with the native one on a fixed seed, the check that the arm64 core and form hold no fused
# multiply-add, the window tests (offscreen and on Xvfb) and the Debian package's checks (labelled
# arm64, lintian, installable on an arm64 system). Last, the program unpacked from the package is
# started under qemu on Xvfb and must show its window. Needs what tools/install-deps.sh test
# installs.
#   tools/test-arm64.sh
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
build=build-arm64
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== arm64: build"
cmake --preset arm64 >/dev/null
cmake --build "$build" -j"$jobs"
echo "built after $((SECONDS - started)) s"

echo "== arm64: tests under qemu-user"
# The long runs (label "release") are for release day: ctest --test-dir build-arm64 -L release.
ctest --test-dir "$build" --output-on-failure -j"$jobs" -LE release

echo "== arm64: the program from the package shows its window"
root=$build/package-root
rm -rf "$root"
dpkg-deb -x "$(ls "$build"/packaging/tests/deb/Quorel-*-arm64.deb)" "$root"
# The search for a free display starts at a random number, away from other servers starting on
# the same machine at the same moment.
QT_QPA_PLATFORM=xcb xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24" \
    bash packaging/tests/check_program_window.sh Quorel "$build/package-window.png" 60 \
    qemu-aarch64-static "$root/usr/bin/Quorel"

echo "== arm64 stage done in $((SECONDS - started)) s"
