#!/usr/bin/env bash
# Starts a program on the X server in DISPLAY and waits until it shows a window whose title begins
# with TITLE: mapped, viewable and drawn (more than a few colours in it). Saves a picture of the
# screen, then ends the program.
#   check_program_window.sh TITLE SCREENSHOT SECONDS COMMAND...
# Needs xwininfo (x11-utils) and ImageMagick's import and convert.
set -euo pipefail
title=$1
screenshot=$2
seconds=$3
shift 3

"$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

deadline=$((SECONDS + seconds))
window=""
while [ -z "$window" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        status=0
        wait "$pid" || status=$?
        echo "FAIL: the program ended (status $status) before it showed its window"
        exit 1
    fi
    for id in $(xwininfo -root -tree | grep -F "\"$title" | awk '{print $1}'); do
        if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            window=$id
        fi
    done
    if [ -z "$window" ]; then
        if [ $SECONDS -ge $deadline ]; then
            echo "FAIL: no window titled \"$title...\" within $seconds s"
            xwininfo -root -tree | grep -F '"' || true
            exit 1
        fi
        sleep 0.5
    fi
done
echo "window $window shown after $((SECONDS + seconds - deadline)) s"

# The window is mapped before it is painted: give it a moment, then look at what it shows.
sleep 2
info=$(xwininfo -id "$window")
value() { grep -F "$1" <<<"$info" | awk '{print $NF}'; }
geometry="$(value 'Width:')x$(value 'Height:')"
geometry+="+$(value 'Absolute upper-left X:')+$(value 'Absolute upper-left Y:')"
import -window root "$screenshot"
colours=$(convert "$screenshot" -crop "$geometry" +repage -format %k info:)
echo "window $geometry with $colours colours, screen saved in $screenshot"
if [ "$colours" -lt 8 ]; then
    echo "FAIL: the window is blank"
    exit 1
fi
