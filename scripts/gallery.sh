#!/usr/bin/env bash
# Renders the gallery pictures into docs/gallery/ with the headless renderer:
# the meadow at several sizes and moments, and the overlays in each style.
# Pictures are stored as JPEG to keep the repository small.
# Usage: scripts/gallery.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
render="$build/lunabrelle-render"
out="$root/docs/gallery"
command -v convert >/dev/null || { echo "gallery.sh needs ImageMagick's convert" >&2; exit 2; }
[ -x "$render" ] || { echo "no $render: build first" >&2; exit 2; }
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# settings FILE fps time analog 24h big calendar monday: the 28-byte layout
# (version 1, two empty reserved texts, extra fields 0, then the seven flags).
settings() {
  local file=$1; shift
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$file"
  for flag in "$@"; do printf "\\x0$flag" >>"$file"; done
}

# shot NAME SIZE AT SECONDS SETTINGS...: one picture, the last frame of a run.
shot() {
  local name=$1 size=$2 at=$3 seconds=$4; shift 4
  settings "$tmp/$name.cfg" "$@"
  "$render" --size "$size" --at "$at" --seconds "$seconds" --fps 30 --seed 7 \
    --config "$tmp/$name.cfg" --resources "$build/resources" --out "$tmp/$name.png" 2>/dev/null
  convert "$tmp/$name.png" -quality 82 "$out/$name.jpg"
  echo "$out/$name.jpg"
}

#                                        fps time analog 24h big cal mon
shot meadow-1280x720   1280x720  "2026-12-06 16:20:31" 2   0 1 0 0 1 1 0
shot meadow-1024x768   1024x768  "2026-12-06 09:41:07" 4   0 1 0 1 1 1 1
shot meadow-2560x1080  2560x1080 "2026-12-06 21:05:59" 6   0 1 1 0 1 1 0
shot meadow-5120x1440  5120x1440 "2026-12-06 18:12:09" 3   0 1 0 1 1 1 1
shot meadow-400x300    400x300   "2026-12-06 12:00:01" 1   0 1 0 0 1 0 0
shot meadow-only       1280x720  "2026-12-06 12:00:00" 8   0 0 0 0 0 0 0
shot digital-big-12h   1280x720  "2026-12-06 13:45:31" 1   0 1 0 0 1 0 0
shot digital-small-24h 1280x720  "2026-12-06 00:07:31" 1   0 1 0 1 0 0 0
shot analog-big        1280x720  "2026-12-06 15:30:45" 1   0 1 1 0 1 0 0
shot analog-small      1280x720  "2026-12-06 03:00:00" 1   0 1 1 0 0 0 0
shot calendar-sunday   1280x720  "2026-11-01 10:10:10" 1   0 0 0 0 1 1 0
shot calendar-monday   1280x720  "2026-11-01 10:10:10" 1   0 0 0 0 1 1 1
shot frame-rate        1280x720  "2026-12-06 10:10:10" 6   1 1 0 1 1 1 1
