#!/usr/bin/env bash
# Builds the Debian package (cpack -G DEB) from a built tree, installs it with
# apt-get, checks where its files landed, runs the installed XScreenSaver hack
# on an Xvfb of its own (it must draw and end on SIGTERM with status 0), and
# removes the package again if it was not installed before.
#
# usage: scripts/test-deb.sh [BUILD_DIR (default build)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

cd "$build"
rm -f lunabrelle_*.deb
timeout 600 cpack -G DEB >/dev/null
deb=$(ls lunabrelle_*.deb)
echo "Built $build/$deb"
dpkg-deb --field "$deb" Depends

was_installed=false
dpkg-query -W -f='${Status}' lunabrelle 2>/dev/null | grep -q 'install ok installed' && was_installed=true
work=$(mktemp -d)
xvfb=""
hack=""
cleanup() {
  [ -n "$hack" ] && kill "$hack" 2>/dev/null && wait "$hack" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
  if [ "$was_installed" = false ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq lunabrelle >/dev/null || true
  fi
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive timeout 600 $sudo apt-get install -y -qq "./$deb" >/dev/null

for file in /usr/bin/lunabrelle /usr/libexec/xscreensaver/lunabrelle /usr/share/lunabrelle/main.pak \
            /usr/share/lunabrelle/utils.pak /usr/share/xscreensaver/config/lunabrelle.xml \
            /usr/share/applications/screensavers/lunabrelle.desktop /usr/share/applications/lunabrelle.desktop \
            /usr/share/man/man6/lunabrelle.6.gz; do
  [ -e "$file" ] || { echo "FAIL: the package did not install $file"; exit 1; }
done
[ -e "$build/lunabrelle-render" ] && { [ -x /usr/bin/lunabrelle-render ] || { echo "FAIL: no /usr/bin/lunabrelle-render"; exit 1; }; }
/usr/libexec/xscreensaver/lunabrelle --help >/dev/null

Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n1 "$work/display")"

env -u XSCREENSAVER_WINDOW DISPLAY="$display" XDG_CONFIG_HOME="$work" /usr/libexec/xscreensaver/lunabrelle --root &
hack=$!
# The meadow fills the 800 x 600 screen: at least half of it is lit.
if ! lit=$("$build/tests/x11/lit-pixels" "$display" 240000 120); then
  echo "FAIL: the installed hack drew nothing ($lit lit pixels)"
  exit 1
fi
kill -TERM "$hack"
status=0
timeout 10 tail --pid="$hack" -f /dev/null || { echo "FAIL: the hack did not end on SIGTERM"; exit 1; }
wait "$hack" || status=$?
hack=""
[ "$status" -eq 0 ] || { echo "FAIL: the hack ended with status $status"; exit 1; }
echo "PASS: $deb installs; its hack drew $lit lit pixels and ended cleanly"
