#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest and gtest_discover_tests, with its output,
# error output and exit status passed through as they are. The output goes out as the program
# writes it, so a test ctest stops at its time limit still shows how far it got.
# Once in a long while Wine gives up on starting a program: it exits at once with a failure,
# before the program has printed a single character (every test program here prints from its
# first moment). That program never ran, so it is started once more, and this says so on the
# error output. A program that ran and failed is never started again.
#   wine-run.sh WINE PROGRAM [ARGUMENT...]
# WINE is the Wine program to run it with (cmake/mingw-w64.cmake passes the one it found).
set -uo pipefail
wine=$1
shift

for attempt in 1 2; do
    # A copy of each stream, only to learn whether the program printed anything. The files are
    # unlinked at once and read through the descriptors, so nothing stays behind when ctest
    # kills this script.
    scratch=$(mktemp -d)
    exec 3>"$scratch/out" 4>"$scratch/err"
    rm -rf "$scratch"
    {
        out_copy=$!
        { "$wine" "$@" 3>&- 4>&-; } 2> >(tee /dev/fd/4 >&2)
        status=$?
        err_copy=$!
    } > >(tee /dev/fd/3)
    # Both copies written to the end before they are looked at, and before this exits.
    wait "$out_copy" "$err_copy"
    if [ "$status" -eq 0 ] || [ -s /dev/fd/3 ] || [ -s /dev/fd/4 ] || [ "$attempt" -eq 2 ]; then
        break
    fi
    echo "wine-run: Wine did not start $1 (exit status $status, no output); starting it again" >&2
done
exit "$status"
