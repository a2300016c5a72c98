#!/usr/bin/env bash
# XScreenSaver runs the installed hack: lunabrelle is installed into a scratch
# prefix, XScreenSaver 6 starts on an Xvfb of the test's own with a
# ~/.xscreensaver whose programs list holds "GL: lunabrelle --root";
# `xscreensaver-command -activate` must bring the meadow on screen and
# -deactivate must end the hack. With a third argument the programs entry
# runs that command instead (an installed hack with options, as
# scripts/test-deb.sh passes it), and XScreenSaver's log must not report an
# abnormal exit of it.
#
# usage: xscreensaver_test.sh BUILD_DIR LIT_PIXELS_PROGRAM [HACK_COMMAND]
# Fails without Xvfb, XScreenSaver or the archives.
set -euo pipefail
build=$(cd "$1" && pwd) lit_pixels=$2 hack_command=${3:-}
work=$(mktemp -d) xvfb="" saver="" hack_pid=""
fail() { echo "FAIL: $*"; cat "$work/xscreensaver.log" 2>/dev/null || true; exit 1; }
cleanup() {
  [ -n "$saver" ] && kill "$saver" 2>/dev/null && wait "$saver" 2>/dev/null || true
  [ -n "$hack_pid" ] && kill -KILL "$hack_pid" 2>/dev/null || true  # not left behind by a failure
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for program in Xvfb xscreensaver xscreensaver-command; do
  command -v "$program" >/dev/null || fail "$program is not installed"
done
for archive in main butterfly1 butterfly2 butterfly3 butterfly4 butterfly5 clock calendar utils; do
  [ -r "$build/resources/$archive.pak" ] || fail "the build tree has no $archive.pak"
done

mkdir -p "$work/home" "$work/prefix/libexec/xscreensaver"
hack=$hack_command
if [ -z "$hack" ]; then
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  # XScreenSaver puts its own hack folder first on the PATH: an installed
  # package's hack would be run instead of this build's.
  hack="lunabrelle --root"
  [ -e /usr/libexec/xscreensaver/lunabrelle ] && hack="$work/prefix/libexec/xscreensaver/lunabrelle --root"
fi
# Mesa's shader cache outlives the run: only a build tree's first run compiles.
cache="$build/tests/x11/xscreensaver-cache"
mkdir -p "$cache"
printf '%s\n' "mode: one" "selected: 0" "timeout: 1:00:00" "cycle: 0:00:00" "lock: False" "splash: False" \
  "fade: False" "unfade: False" "dpmsEnabled: False" "grabDesktopImages: False" "nice: 0" \
  "programs: GL: $hack \\n" >"$work/home/.xscreensaver"

# XScreenSaver launches no hacks as root: it runs as a user of its own.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id lunabrelle-test >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin lunabrelle-test
  chmod 755 "$work"
  chown -R lunabrelle-test: "$work/home" "$cache"
  as_user=(setpriv --reuid=lunabrelle-test --regid=lunabrelle-test --clear-groups)
fi
Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -n1 "$work/display")"
env=(env HOME="$work/home" DISPLAY="$display" PATH="$work/prefix/libexec/xscreensaver:$PATH"
  XDG_CONFIG_HOME="$work/home" XDG_CACHE_HOME="$cache")
"${as_user[@]}" "${env[@]}" xscreensaver -no-splash -verbose >"$work/xscreensaver.log" 2>&1 &
saver=$!
xss_command() { "${as_user[@]}" "${env[@]}" xscreensaver-command "$@" >/dev/null 2>&1; }
for _ in $(seq 100); do xss_command -version && break; sleep 0.2; done

xss_command -activate
# The meadow fills the 800 x 600 screen: at least half of it is lit, within a
# bound generous for a sanitizer build on a loaded machine.
lit=$("$lit_pixels" "$display" 240000 180) || fail "the screen stayed dark ($lit lit pixels)"
# The hack is a child of xscreensaver-gfx, a child of xscreensaver.
hack_pid=$(for child in $(pgrep -P "$saver"); do pgrep -P "$child" -x lunabrelle || true; done | head -n1)
[ -n "$hack_pid" ] || fail "no lunabrelle under xscreensaver-gfx"
echo "XScreenSaver shows the hack: $lit lit pixels"
xss_command -deactivate
for _ in $(seq 600); do kill -0 "$hack_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$hack_pid" 2>/dev/null && fail "the hack outlived the saver's window"
hack_pid=""
[ -n "$hack_command" ] && grep -q "abnormally" "$work/xscreensaver.log" &&
  fail "XScreenSaver reports an abnormal exit of the hack"
xss_command -exit
wait "$saver" 2>/dev/null || true
saver=""
echo "PASS"
