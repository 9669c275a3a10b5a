#!/usr/bin/env bash
# Large pastes into Quorel.exe's Text1 under Wine: 1 MB and 20 MB of "100g", then a shorter run
# of digits, which Wine's own EDIT control lays out in time that grows with the square of the
# run's length (a bare EDIT as well), so that case is kept small enough to end in minutes.
# Without a WINEPREFIX set, it makes a fresh prefix on its own display (tools/wine-env.sh) and
# removes it afterwards.
#   bench/paste/run-windows.sh BUILD_DIRECTORY [DIGITS_KIB]
set -uo pipefail
build=$(realpath "$1")
digits=${2:-64}
cd "$(dirname "$0")/../.."
if [ -z "${WINEPREFIX:-}" ]; then
    . tools/wine-env.sh
fi
status=0
for run in "1024 100g" "20480 100g" "$digits 1234567890"; do
    # shellcheck disable=SC2086 # two words: size and the repeated text
    wine "$build/win32/paste_runner.exe" $run || status=1
    echo
done
exit $status
