#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and runs the saver: in a window when
# a display is present, otherwise renders a picture headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
bin="$root/build"
if [ -n "${DISPLAY:-}" ] && [ -x "$bin/lunabrelle" ]; then
  exec "$bin/lunabrelle" "$@"
fi
if [ -x "$bin/lunabrelle-render" ]; then
  out="$root/build/lunabrelle.png"
  "$bin/lunabrelle-render" --size 1280x720 --seconds 2 --out "$out" "$@"
  echo "Rendered $out"
  exit 0
fi
echo "Built the library, the tests and lunabrelle-pak; the saver hosts are coming."
