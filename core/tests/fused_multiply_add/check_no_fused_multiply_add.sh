#!/usr/bin/env bash
# Fails if an arm64 object or library holds a fused multiply-add instruction (scalar FMADD, FMSUB,
# FNMADD, FNMSUB or vector FMLA, FMLS), or if the probe built to hold one does not.
#   check_no_fused_multiply_add.sh OBJDUMP FUSED_PROBE FILE...
set -euo pipefail
objdump=$1
fused_probe=$2
shift 2
pattern='\s(fmadd|fmsub|fnmadd|fnmsub|fmla|fmls)\s'
failed=0

if ! "$objdump" -d "$fused_probe" | grep -qE "$pattern"; then
    echo "FAIL: the probe built with contraction holds no fused instruction: the search is wrong"
    failed=1
fi
for file in "$@"; do
    found=$("$objdump" -d "$file" | grep -E "$pattern" || true)
    if [ -n "$found" ]; then
        echo "FAIL: $(basename "$file") holds fused multiply-add instructions:"
        echo "$found" | head -20
        failed=1
    else
        count=$("$objdump" -d "$file" | grep -cE '^\s+[0-9a-f]+:')
        echo "no fused multiply-add in $(basename "$file") ($count instructions)"
    fi
done
exit $failed
