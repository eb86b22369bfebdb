#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what a user installs: the file list,
# the dependencies computed from the binaries and the ones declared by hand, the software-centre
# metadata, and lintian's verdict when lintian is there.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A package of its own in a scratch folder, so a concurrent `make package` is not disturbed.
(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null) || fail "cpack"
deb="$(ls "$scratch"/out/tavrix_*_"$(dpkg --print-architecture)".deb)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(basename "$deb")" = "tavrix_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$scratch/files"
for f in /usr/bin/tavrix /usr/bin/tavrix-audit /usr/bin/tavrix-desktop /usr/lib/tavrix/controller.orv \
         /usr/share/applications/org.tavrix.Tavrix.desktop /usr/share/metainfo/org.tavrix.Tavrix.metainfo.xml \
         /usr/share/icons/hicolor/256x256/apps/tavrix.png /usr/share/tavrix/tavrix.ini \
         /usr/share/doc/tavrix/copyright /usr/share/doc/tavrix/changelog.gz /usr/share/man/man1/tavrix.1.gz; do
  grep -qx "$f" "$scratch/files" || fail "package lacks $f"
done
if grep -v '/$' "$scratch/files" | grep -qv '^/usr/'; then fail "files outside /usr"; fi

depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libc6 libstdc++6 libqt6widgets6 libsdl2; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[[ "$depends" != *wine* ]] || fail "wine must not be a dependency"
[ "$(dpkg-deb -f "$deb" Recommends)" = "fonts-noto-cjk, qt6-wayland" ] || fail "Recommends"
[ "$(dpkg-deb -f "$deb" Suggests)" = "wine" ] || fail "Suggests"

dpkg-deb -x "$deb" "$scratch/root"
metainfo="$scratch/root/usr/share/metainfo/org.tavrix.Tavrix.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "metainfo does not validate"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$scratch/root/usr/share/applications/org.tavrix.Tavrix.desktop" || fail "desktop entry"
fi
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" > "$scratch/lintian" 2>&1 || true
  if grep -q '^E:' "$scratch/lintian"; then cat "$scratch/lintian"; fail "lintian errors"; fi
fi
echo "package $(basename "$deb"): ok"
