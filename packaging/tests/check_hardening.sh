#!/usr/bin/env bash
# Fails unless the given ELF program is a position-independent executable with full RELRO,
# a non-executable stack, stack-protector checks and fortified libc calls.
#   check_hardening.sh PROGRAM FORTIFY_PROBE
# The probe is built with the program's flags and always contains a call that fortification
# checks; it shows the flag is on even where the program has no such call of its own.
set -euo pipefail
binary=$1
probe=$2
failed=0
fail() { echo "FAIL: $1"; failed=1; }

header=$(readelf --file-header --wide "$binary")
segments=$(readelf --program-headers --wide "$binary")
dynamic=$(readelf --dynamic --wide "$binary")
symbols=$(readelf --dyn-syms --wide "$binary")

grep -q 'Type: *DYN' <<<"$header" || fail "not a position-independent executable"
grep -q 'FLAGS_1.*PIE' <<<"$dynamic" || fail "no PIE flag in the dynamic section"
grep -q 'GNU_RELRO' <<<"$segments" || fail "no RELRO segment"
grep -qE 'BIND_NOW|FLAGS_1.* NOW' <<<"$dynamic" || fail "RELRO is partial: symbols are not bound at start"
stack=$(grep 'GNU_STACK' <<<"$segments" || true)
[ -n "$stack" ] || fail "no GNU_STACK segment: the stack defaults to executable"
grep -q 'RWE' <<<"$stack" && fail "the stack is executable"
grep -q '__stack_chk_fail' <<<"$symbols" || fail "no stack-protector checks"
if ! grep -qE '__[a-z0-9_]+_chk@' <<<"$symbols"; then
    readelf --dyn-syms --wide "$probe" | grep -q '__fgets_chk@' ||
        fail "libc calls are not fortified"
fi

[ $failed -eq 0 ] && echo "hardened: PIE, full RELRO, non-executable stack, stack protector, fortify"
exit $failed
