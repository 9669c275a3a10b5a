#!/usr/bin/env bash
# Runs one Windows test program under Wine for ctest and gtest_discover_tests, with its output,
# error output and exit status passed through as they are.
# Once in a long while Wine gives up on starting a program: it exits at once with a failure,
# before the program has printed a single character (every test program here prints from its
# first moment). That program never ran, so it is started once more, and this says so on the
# error output. A program that ran and failed is never started again.
#   wine-run.sh PROGRAM [ARGUMENT...]
set -uo pipefail

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for attempt in 1 2; do
    wine "$@" >"$scratch/out" 2>"$scratch/err"
    status=$?
    if [ "$status" -eq 0 ] || [ -s "$scratch/out" ] || [ -s "$scratch/err" ] || [ "$attempt" -eq 2 ]; then
        break
    fi
    echo "wine-run: Wine did not start $1 (exit status $status, no output); starting it again" >&2
done
cat "$scratch/out"
cat "$scratch/err" >&2
exit "$status"
