#!/usr/bin/env bash
# Builds and runs the whole suite under AddressSanitizer + UndefinedBehaviorSanitizer,
# the end-to-end runs of the windowed programs under Xvfb included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build-asan -DLUNABRELLE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cd "$root/build-asan"
ctest --output-on-failure -j2
