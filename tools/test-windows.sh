#!/usr/bin/env bash
# The Windows stage: cross-builds Quorel.exe with its tests (mingw-w64), checks the exe's imports,
# size and hardening, runs the core, form and face tests and the window tests under Wine, and
# packs Quorel-1.01-windows-x64.zip. Wine runs in a fresh prefix on its own Xvfb display, as a
# Chinese (PRC) system. Needs what tools/install-deps.sh test installs.
#   tools/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
build=build-windows
jobs=$(nproc)

echo "== Windows: build"
cmake --preset windows >/dev/null
cmake --build "$build" -j"$jobs"

echo "== Windows: a fresh Wine prefix on its own display"
scratch=$(mktemp -d)
display_number=$((90 + RANDOM % 100))
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display_number"
export WINEPREFIX=$scratch/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts
export LANG=zh_CN.UTF-8
unset LC_ALL
finish() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT

wineboot -i >/dev/null 2>&1
# Without a window manager Wine waits 2 s for every managed window that hides; unmanaged windows
# don't wait. The title-bar glyphs come from Marlett, which Debian's Wine leaves out of the prefix.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf \
    /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver -w
# A running wineserver saves starting one for every test program; the first program also starts
# Wine's services, which would eat into the test discovery's time limit.
wineserver -p
wine "$build/win32/tests/win32_tests.exe" --gtest_list_tests >/dev/null
echo "prefix ready after $((SECONDS - started)) s"

echo "== Windows: tests under Wine"
ctest --test-dir "$build" --output-on-failure -j"$jobs"

echo "== Windows: package"
cmake --build "$build" --target package >/dev/null
zip=$build/Quorel-1.01-windows-x64.zip
unzip -l "$zip"
contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[ "$contents" = "Quorel.exe README.txt " ] || {
    echo "FAIL: the zip holds $contents"
    exit 1
}

echo "== Windows stage done in $((SECONDS - started)) s"
