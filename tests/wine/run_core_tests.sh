#!/usr/bin/env bash
# Runs the core's test program, built for Windows, under Wine on a private virtual display
# and in a private wine prefix. Passes when every test passes (or is skipped with a reason).
# Usage: run_core_tests.sh core_tests.exe
set -uo pipefail

tests=$(realpath "$1")
limit=${WINE_RUN_LIMIT:-300}  # seconds for the whole program

work=$(mktemp -d /tmp/tavrix-wine.XXXXXX)
wine_tag=run_core_tests.sh
source "$(dirname "$0")/prefix.sh"

mkdir "$work/run"
cp "$tests" "$work/run/core_tests.exe"
cd "$work/run" || exit 2
timeout -k 5 "$limit" wine core_tests.exe --gtest_brief=1 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && echo "run_core_tests.sh: still running after $limit s"
exit "$status"
