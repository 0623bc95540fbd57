#!/usr/bin/env bash
# Prints how many tests of the Windows flavour's last run skipped themselves under Wine, and each
# with its reason (the test programs' runner writes them under Testing/skipped/).
set -euo pipefail
build="${1:?usage: windows-skipped.sh <build/windows>}"
shopt -s nullglob
reports=("$build"/Testing/skipped/*.txt)
count=0
for report in "${reports[@]}"; do
    count=$((count + $(grep -c . "$report" || true)))
done
echo "==> Windows: ${#reports[@]} test programs ran under Wine; $count tests skipped there:"
for report in "${reports[@]}"; do
    sed "s/^/    $(basename "$report" .txt): /" "$report"
done
