#!/usr/bin/env bash
# Takes docs/windows-main-window.png: Quorel.exe under Wine after the worked example. Run it with
# the Wine environment tools/test-windows.sh sets up (DISPLAY, WINEPREFIX, LANG=zh_CN.UTF-8), or
# let it make its own (1024x768 unless WINE_ENV_SCREEN says otherwise). DPI=144 shows the window
# at 1.5 times the size, 192 at twice; "about" takes the About window instead.
#   win32/tests/screenshot.sh BUILD_DIRECTORY OUTPUT.png [DPI] [about]
set -euo pipefail
build=$1
output=$2
dpi=${3:-96}
window=${4:-}
title=Quorel计算助手
[ "$window" = about ] && title=软件简介
if [ -z "${WINEPREFIX:-}" ]; then
    . "$(dirname "$0")/../../tools/wine-env.sh"
fi

bash "$(dirname "$0")/at_dpi.sh" "$dpi" wine "$build/win32/worked_example_pose.exe" 6 $window \
    >"$output.log" 2>&1 &
pose=$!
for _ in $(seq 100); do
    grep -q ready "$output.log" 2>/dev/null && break
    sleep 0.1
done
sleep 0.5
# The window and its frame, cut out of the screen by its X geometry.
geometry=$(xwininfo -root -tree | awk -v title="\"$title" 'index($0, title) {print $(NF-1)}' | head -1)
import -window root -crop "$geometry" +repage "$output"
wait "$pose"
rm -f "$output.log"
echo "$output: $geometry"
