#!/usr/bin/env bash
# Runs the stand-in emulator jamma_host.exe over controller.dll under Wine, on a private
# virtual display and in a private wine prefix, once in each of its three ways. Each run
# must end within its time limit, with status 0 and exactly the expected lines.
# Usage: run.sh jamma_host.exe controller.dll
set -uo pipefail

host=$(realpath "$1")
dll=$(realpath "$2")
limit=${WINE_RUN_LIMIT:-30}  # seconds; a run takes 1-2 s on an idle machine, a hang for ever

work=$(mktemp -d /tmp/tavrix-wine.XXXXXX)
# DirectInput under Wine needs an X display: the shared set-up gives one.
wine_tag=run.sh
source "$(dirname "$0")/../../wine/prefix.sh"

mkdir "$work/game"
cp "$host" "$work/game/jamma_host.exe"
cp "$dll" "$work/game/controller.dll"
cd "$work/game" || exit 2

banner="JAMMA keyboard driver 1.0 initialized"
declare -A expected=(
  [close]="$banner|open 0|read 0|keys 0|close 0|end of main 0"
  [reload]="$banner|open 0|unload 0|$banner|open 0|read 0|keys 0|close 0|end of main 0"
  [exit-open]="$banner|open 0|read 0|keys 0|end of main 0"
)

passed=0
failed=0
for mode in close reload exit-open; do
  start=$(date +%s%N)
  timeout -k 5 "$limit" wine jamma_host.exe "$mode" controller.dll >"$work/out" 2>"$work/err"
  status=$?
  tenths=$((($(date +%s%N) - start) / 100000000))
  got=$(tr -d '\r' <"$work/out" | paste -sd'|')
  want=${expected[$mode]}
  if [ "$status" -eq 0 ] && [ "$got" = "$want" ]; then
    printf 'PASS %-9s ended in %d.%d s\n' "$mode" $((tenths / 10)) $((tenths % 10))
    passed=$((passed + 1))
  else
    reason="status $status"
    [ "$status" -eq 124 ] || [ "$status" -eq 137 ] && reason="still running after $limit s"
    printf 'FAIL %-9s %s\n  expected: %s\n  printed:  %s\n' "$mode" "$reason" "$want" "$got"
    sed 's/^/  stderr: /' "$work/err" | head -n 20
    failed=$((failed + 1))
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
