# Sourced by the scripts that run Windows programs under Wine: starts a private virtual
# display and prepares a private 32-bit wine prefix under $work (which the caller creates),
# with one wine server kept up for all runs. The EXIT trap removes both again.
# Needs: wine, wineboot, wineserver, Xvfb (scripts/install-deps wine). The caller may set
# wine_screen (default 640x480x24) for a larger display.

wine_tag=${wine_tag:-wine}
for tool in wine wineboot wineserver Xvfb; do
  command -v "$tool" >/dev/null || { echo "$wine_tag: $tool is missing (scripts/install-deps wine)" >&2; exit 2; }
done

xvfb_pid=
wine_cleanup() {
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap wine_cleanup EXIT

# Xvfb picks a free display number itself and writes it to the descriptor given, so parallel
# runs never collide.
Xvfb -displayfd 3 -screen 0 "${wine_screen:-640x480x24}" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "$wine_tag: Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY

export WINEPREFIX=$work/prefix WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
echo "$wine_tag: preparing a wine prefix on display $DISPLAY (takes up to a minute)"
wineboot -i >/dev/null 2>&1
wineserver -w
# Keep one wine server and its system processes up for all runs, so that each run's time
# is the program's own and not the start of Wine's services.
wineserver -p
wine cmd /c exit >/dev/null 2>&1
