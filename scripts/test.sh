#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build
cd "$root/build"
ctest --output-on-failure -j2
