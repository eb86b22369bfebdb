#!/usr/bin/env bash
# Runs a test program as a native Wayland client of a private weston on its headless backend,
# with no X display; its debug interface is on, so tests can read its scene graph with
# weston-debug. Usage: run_under_weston.sh PROGRAM [ARGUMENTS...]
# Exits 77 (reported as skipped) when weston is not installed.
set -uo pipefail

if ! command -v weston >/dev/null 2>&1; then
  echo "weston is not installed: the Wayland run is skipped (scripts/install-deps installs it)"
  exit 77
fi

runtime="$(mktemp -d)"
chmod 700 "$runtime"
socket="tavrix-test-$$"
weston_pid=
cleanup() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$socket" --idle-time=0 \
  --no-config --debug >"$runtime/weston.log" 2>&1 &
weston_pid=$!

for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  if ! kill -0 "$weston_pid" 2>/dev/null; then
    echo "weston did not start:"; cat "$runtime/weston.log"; exit 1
  fi
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "weston opened no socket:"; cat "$runtime/weston.log"; exit 1
fi

# The headless compositor has no seat; Qt's Wayland input method would reach for the missing
# keyboard on the key events that the tests send, so the run goes without an input method.
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_IM_MODULE=none "$@"
