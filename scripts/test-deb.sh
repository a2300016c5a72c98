#!/usr/bin/env bash
# Builds the Debian packages lunabrelle and lunabrelle-settings with
# dpkg-buildpackage, checks them with lintian (no error, no warning), shows
# what a minimal system would pull in for each (no GTK for lunabrelle),
# installs both with apt-get, checks where their files landed, and runs the
# installed hack, with every option XScreenSaver passes to its hacks, under a
# real XScreenSaver on an Xvfb of its own (tests/x11/xscreensaver_test.sh).
# The packages are removed again if they were not installed before.
#
# usage: scripts/test-deb.sh [BUILD_DIR (default build; for lit-pixels)]
# The packages land in BUILD_DIR/deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
out="$build/deb"
rm -rf "$out"
mkdir -p "$out"

# dpkg-buildpackage writes beside the source folder: build in a copy of the
# tracked files, so the tree itself stays clean.
work=$(mktemp -d)
tree="$work/lunabrelle"
mkdir -p "$tree"
git -C "$root" ls-files -z --cached --others --exclude-standard | (cd "$root" && xargs -0 cp --parents -t "$tree")
(cd "$tree" && timeout 3600 dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) ||
  { tail -n 60 "$work/build.log"; echo "FAIL: dpkg-buildpackage"; exit 1; }
mv "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out/"
debs=("$out"/lunabrelle_*.deb "$out"/lunabrelle-settings_*.deb)
echo "Built: ${debs[*]##*/}"

lintian --fail-on error,warning "${debs[@]}" ||
  { echo "FAIL: lintian reports errors or warnings"; exit 1; }
echo "lintian: clean"

# A minimal system: the packages of priority required and important and
# everything they depend on, as installed here (apt then counts the rest).
status="$work/minimal-status"
dpkg-query -W -f='${Package} ${Priority} ${Essential}\n' |
  awk '$2 == "required" || $2 == "important" || $3 == "yes" { print $1 }' >"$work/minimal"
# shellcheck disable=SC2046
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
  --no-enhances $(cat "$work/minimal") 2>/dev/null | grep '^[a-z0-9]' | sed 's/:.*$//' | sort -u >"$work/closure"
awk -v list="$work/closure" 'BEGIN { while ((getline p < list) > 0) keep[p] = 1; RS = ""; ORS = "\n\n" }
  { for (i = 1; i <= NF; i++) if ($i == "Package:") { if (keep[$(i + 1)]) print; break } }' \
  /var/lib/dpkg/status >"$status"
pulled() { apt-get install --simulate -o Dir::State::status="$status" "$@" 2>/dev/null | grep '^Inst ' || true; }
for deb in "${debs[@]}"; do
  extra=()
  [[ $deb == *lunabrelle-settings_* ]] && extra=("$out"/lunabrelle_*.deb)
  count=$(pulled "$deb" "${extra[@]}" | wc -l)
  echo "On a minimal system ${deb##*/} installs $count packages (itself included)"
done
if pulled "$out"/lunabrelle_*.deb | grep -q 'libgtk'; then
  echo "FAIL: lunabrelle pulls GTK"; exit 1
fi

was_installed=false
dpkg-query -W -f='${Status}' lunabrelle 2>/dev/null | grep -q 'install ok installed' && was_installed=true
cleanup() {
  rm -rf "$work"
  if [ "$was_installed" = false ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq lunabrelle lunabrelle-settings >/dev/null || true
  fi
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive timeout 600 $sudo apt-get install -y -qq "${debs[@]}" >/dev/null

for file in /usr/bin/lunabrelle /usr/bin/lunabrelle-render /usr/bin/lunabrelle-pak /usr/bin/lunabrelle-settings \
            /usr/libexec/xscreensaver/lunabrelle /usr/share/lunabrelle/main.pak /usr/share/lunabrelle/utils.pak \
            /usr/share/lunabrelle/config /usr/share/xscreensaver/config/lunabrelle.xml \
            /usr/share/applications/screensavers/lunabrelle.desktop /usr/share/applications/lunabrelle.desktop \
            /usr/share/applications/lunabrelle-settings.desktop /usr/share/man/man6/lunabrelle.6.gz \
            /usr/share/man/man1/lunabrelle-render.1.gz /usr/share/man/man1/lunabrelle-pak.1.gz \
            /usr/share/man/man1/lunabrelle-settings.1.gz /usr/share/doc/lunabrelle/copyright; do
  [ -e "$file" ] || { echo "FAIL: the packages did not install $file"; exit 1; }
done
for program in lunabrelle lunabrelle-render lunabrelle-pak lunabrelle-settings; do
  "/usr/bin/$program" --version >/dev/null || { echo "FAIL: $program --version"; exit 1; }
done

# Every option XScreenSaver's hacks share, as a user would add them.
options="--root -delay 20000 -visual default -install -noinstall -no-fps -mono -sync -pair -fg white"
options+=" -bg black -xrm lunabrelle.dummy:1 -name lunabrelle -title Meadow --clock analog --calendar"
bash "$root/tests/x11/xscreensaver_test.sh" "$build" "$build/tests/x11/lit-pixels" \
  "/usr/libexec/xscreensaver/lunabrelle $options"
echo "PASS: both packages build lintian-clean and install; XScreenSaver runs the installed hack"
