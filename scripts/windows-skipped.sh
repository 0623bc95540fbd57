#!/usr/bin/env bash
# Prints how many tests of the Windows flavour's last run skipped themselves under Wine, and each
# with its reason (the test programs' runner writes them under Testing/skipped/, one file for each
# Wine process: a whole program, "<program>.shard<n>" for each shard of one, "<program>.alone" for
# the tests that run alone).
set -euo pipefail
build="${1:?usage: windows-skipped.sh <build/windows>}"
shopt -s nullglob
reports=("$build"/Testing/skipped/*.txt)
count=0
programs=()
for report in "${reports[@]}"; do
    count=$((count + $(grep -c . "$report" || true)))
    name="$(basename "$report" .txt)"
    programs+=("${name%%.*}")
done
distinct=$(printf '%s\n' "${programs[@]}" | sort -u | grep -c . || true)
echo "==> Windows: $distinct test programs ran under Wine, in ${#reports[@]} processes; $count tests skipped there:"
for report in "${reports[@]}"; do
    name="$(basename "$report" .txt)"
    sed "s/^/    ${name%%.*}: /" "$report"
done | sort
