#!/usr/bin/env bash
# Runs the Windows build under Wine, on a private virtual display and in a private wine prefix:
# first it checks that every program imports system DLLs only, then it runs the test programs
# (every test must pass or be skipped with its reason), then, when given, tavrix-audit.exe on a
# catalogue made by the native build's demo-data tool, whose JSON and exit status must be those
# of the native tavrix-audit on the same files, byte for byte.
# Usage: run_windows_tests.sh tests.exe[,more_tests.exe...] [tavrix-audit.exe native-tavrix-audit make_demo_data tavrix.ini]
set -uo pipefail

IFS=, read -r -a listed <<<"$1"
test_programs=()
for program in "${listed[@]}"; do test_programs+=("$(realpath "$program")"); done
programs=("${test_programs[@]}")
[ $# -ge 2 ] && programs+=("$(realpath "$2")")
"$(dirname "$0")/check_system_imports.sh" "${programs[@]}" || exit 1
if [ $# -ge 5 ]; then
  windows_audit=$(realpath "$2")
  native_audit=$(realpath "$3")
  make_demo_data=$(realpath "$4")
  database=$(realpath "$5")
fi
limit=${WINE_RUN_LIMIT:-300}  # seconds for one program

work=$(mktemp -d /tmp/tavrix-wine.XXXXXX)
wine_tag=run_windows_tests.sh
# Room for the whole main window at twice its size (192 dpi), which the system would otherwise
# fit to the screen.
wine_screen=2048x1200x24
source "$(dirname "$0")/prefix.sh"

# Each program runs from where it was built (the programs a test starts lie beside it), in a
# working directory of its own.
for program in "${test_programs[@]}"; do
  name=$(basename "$program")
  mkdir "$work/run-$name"
  cd "$work/run-$name" || exit 2
  echo "run_windows_tests.sh: $name"
  timeout -k 5 "$limit" wine "$program" --gtest_brief=1 2>&1 | tr -d '\r'
  status=${PIPESTATUS[0]}
  [ "$status" -eq 124 ] && echo "run_windows_tests.sh: $name still running after $limit s"
  [ "$status" -eq 0 ] || exit "$status"
done
[ $# -ge 5 ] || exit 0

mkdir "$work/catalogue"
cp "$database" "$work/catalogue/tavrix.ini"
cp "$windows_audit" "$work/tavrix-audit.exe"
cd "$work/catalogue" || exit 2
"$make_demo_data" >/dev/null || { echo "run_windows_tests.sh: the demo catalogue could not be made"; exit 2; }
"$native_audit" --json >"$work/native.json"
native_status=$?
timeout -k 5 "$limit" wine "$work/tavrix-audit.exe" --json >"$work/windows.json" 2>"$work/windows.err"
windows_status=$?
if [ "$native_status" -eq "$windows_status" ] && cmp -s "$work/native.json" "$work/windows.json"; then
  echo "PASS tavrix-audit.exe --json: the same $(wc -c <"$work/native.json") bytes and exit status $native_status as the native audit"
  exit 0
fi
echo "FAIL tavrix-audit.exe --json: exit status $windows_status (native $native_status)"
diff "$work/native.json" "$work/windows.json" | head -n 20
sed 's/^/  stderr: /' "$work/windows.err" | head -n 20
exit 1
