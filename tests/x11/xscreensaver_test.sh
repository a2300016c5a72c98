#!/usr/bin/env bash
# XScreenSaver runs the installed hack: lunabrelle is installed into a scratch
# prefix, XScreenSaver 6 starts on an Xvfb of the test's own with a
# ~/.xscreensaver whose programs list holds "GL: lunabrelle --root", and
# `xscreensaver-command -activate` must bring the meadow on screen; on
# -deactivate the hack must end.
#
# With a third argument, the programs entry runs that command (an installed
# hack with options, as scripts/test-deb.sh passes it) instead of this build's,
# and XScreenSaver's log must not report it as having exited abnormally.
#
# usage: xscreensaver_test.sh BUILD_DIR LIT_PIXELS_PROGRAM [HACK_COMMAND]
# Fails without Xvfb, XScreenSaver or the archives: a test that cannot run
# has tested nothing.
set -euo pipefail
build=$(cd "$1" && pwd)
lit_pixels=$2
hack_command=${3:-}
for program in Xvfb xscreensaver xscreensaver-command; do
  command -v "$program" >/dev/null || { echo "FAIL: $program is not installed"; exit 1; }
done
for archive in main butterfly1 butterfly2 butterfly3 butterfly4 butterfly5 clock calendar utils; do
  [ -r "$build/resources/$archive.pak" ] || { echo "FAIL: the build tree has no $archive.pak"; exit 1; }
done

work=$(mktemp -d)
xvfb="" saver="" hack_pid=""
cleanup() {
  [ -n "$saver" ] && kill "$saver" 2>/dev/null && wait "$saver" 2>/dev/null || true
  # A hack that failed the test is not left behind.
  [ -n "$hack_pid" ] && kill -KILL "$hack_pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "$hack_command" ]; then
  mkdir -p "$work/prefix/libexec/xscreensaver"
  hack=$hack_command
else
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  hack="lunabrelle --root"
  # XScreenSaver puts its own hack folder first on the PATH: an installed
  # package's hack would be run instead of this build's.
  [ -e /usr/libexec/xscreensaver/lunabrelle ] && hack="$work/prefix/libexec/xscreensaver/lunabrelle --root"
fi

mkdir -p "$work/home"
# Mesa's shader cache outlives the run, so that only the first run of a build
# tree compiles the shaders (slow in a sanitizer build on a loaded machine).
cache="$build/tests/x11/xscreensaver-cache"
mkdir -p "$cache"
cat > "$work/home/.xscreensaver" <<EOT
mode:		one
selected:	0
timeout:	1:00:00
cycle:		0:00:00
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
grabDesktopImages:	False
nice:		0
programs:	GL: $hack	\n
EOT

# XScreenSaver launches no hacks as root: it runs as a user of its own.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  id lunabrelle-test >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin lunabrelle-test
  chmod 755 "$work"
  chown -R lunabrelle-test: "$work/home" "$cache"
  as_user=(setpriv --reuid=lunabrelle-test --regid=lunabrelle-test --clear-groups)
fi

Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n1 "$work/display")"
[ "$display" != ":" ] || { echo "Xvfb did not start"; exit 1; }

env=(env HOME="$work/home" DISPLAY="$display" PATH="$work/prefix/libexec/xscreensaver:$PATH" XDG_CONFIG_HOME="$work/home" XDG_CACHE_HOME="$cache")
"${as_user[@]}" "${env[@]}" xscreensaver -no-splash -verbose >"$work/xscreensaver.log" 2>&1 &
saver=$!
xss_command() { "${as_user[@]}" "${env[@]}" xscreensaver-command "$@" >/dev/null 2>&1; }
for _ in $(seq 100); do xss_command -version && break; sleep 0.2; done

before=$("$lit_pixels" "$display" 0 0 || true)
xss_command -activate
# Generous bounds: a sanitizer build compiling its shaders on a loaded
# machine takes its time. The meadow fills the 800 x 600 screen: at least half
# of it is lit.
shown=true
"$lit_pixels" "$display" 240000 180 >"$work/lit" || shown=false
# The hack is a child of xscreensaver-gfx, a child of xscreensaver.
hack_pid=$(for child in $(pgrep -P "$saver"); do pgrep -P "$child" -x lunabrelle || true; done | head -n1)
if [ "$shown" = false ]; then
  echo "FAIL: the screen stayed dark ($(cat "$work/lit") lit pixels)"
  cat "$work/xscreensaver.log"
  exit 1
fi
echo "XScreenSaver shows the hack: $(cat "$work/lit") lit pixels (before: $before)"
[ -n "$hack_pid" ] || { echo "FAIL: no lunabrelle under xscreensaver-gfx"; cat "$work/xscreensaver.log"; exit 1; }

xss_command -deactivate
for _ in $(seq 600); do kill -0 "$hack_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$hack_pid" 2>/dev/null; then
  echo "FAIL: the hack outlived the saver's window"
  ps -o pid,ppid,stat,etime,args -p "$hack_pid" || true
  cat "$work/xscreensaver.log"
  exit 1
fi
hack_pid=""
if [ -n "$hack_command" ] && grep -q "abnormally" "$work/xscreensaver.log"; then
  echo "FAIL: XScreenSaver reports an abnormal exit of the hack"
  cat "$work/xscreensaver.log"
  exit 1
fi
xss_command -exit
wait "$saver" 2>/dev/null || true
saver=""
echo "PASS"
