#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop user gets: the programs,
# the plug-in, a valid desktop entry, the icons, the example database, and a launcher that makes
# the per-user working directory on first use.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
for f in bin/tavrix bin/tavrix-desktop bin/tavrix-audit lib/tavrix/controller.orv share/applications/org.tavrix.Tavrix.desktop \
         share/tavrix/tavrix.ini; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
for size in 16 32 48 64 128 256; do
  [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/tavrix.png" ] || fail "missing ${size}px icon"
done
[ -x "$prefix/bin/tavrix" ] && [ -x "$prefix/bin/tavrix-desktop" ] && [ -x "$prefix/bin/tavrix-audit" ] ||
  fail "programs not executable"
grep -q '^Categories=.*Game;.*Emulator;' "$prefix/share/applications/org.tavrix.Tavrix.desktop" || fail "categories"
grep -q '^Exec=tavrix-desktop' "$prefix/share/applications/org.tavrix.Tavrix.desktop" || fail "Exec line"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.tavrix.Tavrix.desktop" || fail "desktop entry rejected"
fi
grep -q '^first-startup=1' "$prefix/share/tavrix/tavrix.ini" || fail "shipped database does not open the language panel"

# First use from the desktop: ~/Tavrix is made with the shipped database, and the program
# starts there (it is stopped again at once).
export HOME="$scratch/home" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
"$prefix/bin/tavrix-desktop" >/dev/null 2>&1 & pid=$!
for _ in $(seq 50); do [ -e "$HOME/Tavrix/tavrix.ini" ] && break; sleep 0.1; done
sleep 0.5
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
cmp -s "$HOME/Tavrix/tavrix.ini" "$prefix/share/tavrix/tavrix.ini" || fail "working directory not made from the shipped database"
echo "install layout: ok"
