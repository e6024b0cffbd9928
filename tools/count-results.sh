#!/usr/bin/env bash
# Adds up the cases of every test executable that CTest ran in the given build folders, from
# their GoogleTest XML reports. An executable that left no report (it crashed or hung) counts
# as one failed case. Prints "N passed, N failed" and exits non-zero when anything failed.
set -uo pipefail
passed=0
failed=0
for build in "$@"; do
    while read -r name; do
        [ -n "$name" ] || continue
        report=$(ls "$build"/test-results/"${name#*.}"-*.xml 2>/dev/null | head -1)
        if [ -z "$report" ]; then
            echo "no report from $name" >&2
            failed=$((failed + 1))
            continue
        fi
        head=$(grep -m1 '<testsuites' "$report")
        tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
        failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
        errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
        disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
        skipped=$(grep -c '<skipped' "$report")
        bad=$((failures + errors))
        failed=$((failed + bad))
        passed=$((passed + tests - bad - disabled - skipped))
    done < <(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: *//p')
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
