#!/usr/bin/env bash
# Builds and runs the suite under AddressSanitizer + UndefinedBehaviorSanitizer.
# The end-to-end runs of the windowed programs under Xvfb (the X11 host in its
# own, a given and the root window, under XScreenSaver, and the settings
# dialog) are left to the plain suite: instrumented, the saver draws the full
# scene through the software renderer too slowly for their time limits.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build-asan -DLUNABRELLE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cd "$root/build-asan"
ctest --output-on-failure -j2 -E '^(GivenWindow|OwnWindow)\.|^xscreensaver_runs_the_installed_hack$|^settings_dialog$'
