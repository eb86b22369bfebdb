#!/usr/bin/env bash
# Runs the Windows build under Wine, on a private virtual display and in a private wine prefix:
# the core's test program (every test must pass or be skipped with its reason), the native
# window's test program beside it in the build (win32/win32_ui_tests.exe), then, when
# given, tavrix-audit.exe on a catalogue made by the native build's demo-data tool, whose JSON
# and exit status must be those of the native tavrix-audit on the same files, byte for byte.
# Usage: run_windows_tests.sh core_tests.exe [tavrix-audit.exe native-tavrix-audit make_demo_data tavrix.ini]
set -uo pipefail

tests=$(realpath "$1")
ui_tests=$(realpath -m "$(dirname "$tests")/../win32/win32_ui_tests.exe")
if [ $# -ge 5 ]; then
  windows_audit=$(realpath "$2")
  native_audit=$(realpath "$3")
  make_demo_data=$(realpath "$4")
  database=$(realpath "$5")
fi
limit=${WINE_RUN_LIMIT:-300}  # seconds for one program

work=$(mktemp -d /tmp/tavrix-wine.XXXXXX)
wine_tag=run_windows_tests.sh
source "$(dirname "$0")/prefix.sh"

mkdir "$work/run"
cp "$tests" "$work/run/core_tests.exe"
cd "$work/run" || exit 2
timeout -k 5 "$limit" wine core_tests.exe --gtest_brief=1 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && echo "run_windows_tests.sh: core_tests.exe still running after $limit s"
[ "$status" -eq 0 ] || exit "$status"

[ -f "$ui_tests" ] || { echo "run_windows_tests.sh: $ui_tests is missing"; exit 2; }
cp "$ui_tests" "$work/run/win32_ui_tests.exe"
timeout -k 5 "$limit" wine win32_ui_tests.exe --gtest_brief=1 2>&1 | tr -d '\r'
status=${PIPESTATUS[0]}
[ "$status" -eq 124 ] && echo "run_windows_tests.sh: win32_ui_tests.exe still running after $limit s"
[ "$status" -eq 0 ] || exit "$status"
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
