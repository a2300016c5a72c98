#!/usr/bin/env bash
# Measures the saver's speed and memory goals on this machine in one run and
# writes docs/PERFORMANCE.md: every figure beside its goal, the machine, an
# instruction profile of the steady per-frame work and the notes of
# docs/profile-notes.md. Takes about ten minutes; run it on a quiet machine.
#
# usage: scripts/perf-report.sh [BUILD_DIR (default build-perf)] [BASELINE_BUILD_DIR]
#
# With a baseline build (configured as build_tree does, from an older tree),
# every goal figure is measured for it too, in the same run, and shown beside
# the current one. Its tree is named by BASELINE_TREE (default "baseline").
#
# Installs what it needs with apt-get (root or sudo): the build dependencies
# of scripts/packages.txt, valgrind, Xvfb, GNU time and the GL hacks of
# XScreenSaver used as the reference.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-perf}")
baseline=""
[ -n "${2:-}" ] && baseline=$(realpath -m "$2")
baseline_tree=${BASELINE_TREE:-baseline}
report="$root/docs/PERFORMANCE.md"
notes="$root/docs/profile-notes.md"

# What runs; fixed so that two reports differ only by the machine.
bench_repetitions=5
bench_min_time=0.5
fps_sizes=(1280x720 1920x1080 3840x2160)
fps_frames=(120 120 60)
fps_warmup=10
first_frame_fresh_runs=3
first_frame_runs=7
render_frames=200
window_warmup=5
window_seconds=20
profile_warmup=120
profile_frames=300
hack_dir=/usr/libexec/xscreensaver
[ -x "$hack_dir/gears" ] || hack_dir=/usr/lib/xscreensaver
hacks=(gears pipes glmatrix)
hack_options=(-geometry 1280x720 -no-fps)

log() { printf '[perf-report %s] %s\n' "$(date -u +%H:%M:%S)" "$*" >&2; }

# --- what the run needs -------------------------------------------------------
install_needs() {
  "$root/scripts/deps.sh"
  local wanted=(valgrind xvfb xscreensaver-gl time) missing=() pkg
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  log "installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# A build folder that is already configured is built as configured (so a
# developer's tree with its tests can be measured); a new one is configured
# without tests. Only the measured programs and the archives are built.
build_tree() {
  log "building $build"
  [ -e "$build/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUNABRELLE_TESTS=OFF \
      -DLUNABRELLE_BENCH=ON >/dev/null
  nice cmake --build "$build" -j2 --target lunabrelle lunabrelle-render bench_saver_frame saver_probe bare_egl \
    bare_glx swap_count lunabrelle_content_archives >/dev/null
  local need
  for need in lunabrelle lunabrelle-render bench/bench_saver_frame bench/saver_probe bench/bare_egl \
    bench/bare_glx bench/libswap_count.so; do
    [ -e "$build/$need" ] || { echo "perf-report: $build/$need was not built (libbenchmark-dev missing?)" >&2; exit 1; }
  done
}

work=$(mktemp -d)
xvfb=""
running=""
cleanup() {
  [ -n "$running" ] && kill "$running" 2>/dev/null && wait "$running" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# --- small helpers ------------------------------------------------------------
# value NAME FILE: the value of a name=value line.
value() { sed -n "s/^$1=//p" "$2" | head -n1; }

# median of the numbers given as arguments.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# mark MEASURED OP GOAL: pass when MEASURED OP GOAL holds (OP is <= or >=).
mark() {
  awk -v m="$1" -v op="$2" -v g="$3" 'BEGIN {
    if (m == "n/a" || m == "") { print "n/a"; exit }
    ok = (op == "<=") ? (m + 0 <= g + 0) : (m + 0 >= g + 0)
    print ok ? "pass" : "**miss**"
  }'
}

# grouped 1234567: 1,234,567 (as callgrind_annotate writes counts).
grouped() { echo "$1" | sed -E ':a; s/^([0-9]+)([0-9]{3})/\1,\2/; ta'; }

mib() { awk -v k="$1" 'BEGIN { if (k == "" || k == "n/a") print "n/a"; else printf "%.1f", k / 1024 }'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || a == "n/a" || b == "n/a") print "n/a"; else printf "%.1f", (a - b) / 1024 }'; }

fmt() { awk -v v="$1" -v f="$2" 'BEGIN { if (v == "n/a" || v == "") print "n/a"; else printf f, v }'; }

# --- 1. the system's own CPU per frame ----------------------------------------
measure_frame_cpu() {
  log "per-frame CPU at 64x64 (Google Benchmark)"
  (cd "$bin" && ./bench/bench_saver_frame --benchmark_filter='BM_FullSaverFrame' \
    --benchmark_repetitions=$bench_repetitions --benchmark_min_time=$bench_min_time \
    --benchmark_report_aggregates_only=true --benchmark_format=csv) >"$out/bench.csv" 2>"$out/bench.err" || true
  # Columns: name, iterations, real_time, cpu_time, time_unit, ...
  frame_cpu_digital=$(awk -F, '$1 ~ /BM_FullSaverFrame\/0_median/ { print $4 }' "$out/bench.csv")
  frame_cpu_analog=$(awk -F, '$1 ~ /BM_FullSaverFrame\/1_median/ { print $4 }' "$out/bench.csv")
  frame_real_digital=$(awk -F, '$1 ~ /BM_FullSaverFrame\/0_median/ { print $3 }' "$out/bench.csv")
  frame_real_analog=$(awk -F, '$1 ~ /BM_FullSaverFrame\/1_median/ { print $3 }' "$out/bench.csv")
  : "${frame_cpu_digital:=n/a}" "${frame_cpu_analog:=n/a}" "${frame_real_digital:=n/a}" "${frame_real_analog:=n/a}"
}

# --- 2. frames per second, headless -------------------------------------------
measure_fps() {
  local i size
  for i in "${!fps_sizes[@]}"; do
    size=${fps_sizes[$i]}
    log "frames per second at $size"
    "$bin/bench/saver_probe" fps --size "$size" --frames "${fps_frames[$i]}" --warmup $fps_warmup \
      >"$out/fps-$size.txt" 2>&1 || true
  done
}

# --- 3. startAnimation to the first completed frame ---------------------------
measure_first_frame() {
  log "first frame at 1920x1080"
  local k cold=()
  for k in $(seq $first_frame_fresh_runs); do
    "$bin/bench/saver_probe" first-frame --size 1920x1080 --runs 1 >"$out/first-$k.txt" 2>&1 || true
    cold+=("$(value first_frame_ms "$out/first-$k.txt")")
  done
  first_cold_all="${cold[*]}"
  first_cold=$(median "${cold[@]}")
  "$bin/bench/saver_probe" first-frame --size 1920x1080 --runs $first_frame_runs >"$out/first-warm.txt" 2>&1 || true
  first_in_process=$(value first_frame_ms "$out/first-warm.txt")
  # shellcheck disable=SC2086
  first_warm=$(median $(printf '%s\n' $first_in_process | tail -n +2))
}

# --- 4. peak resident memory, headless ----------------------------------------
measure_render_memory() {
  log "peak memory of lunabrelle-render and bare_egl at 1920x1080"
  /usr/bin/time -f '%M' -o "$out/render.rss" "$bin/lunabrelle-render" --size 1920x1080 \
    --frames $render_frames --config "$work/digital.cfg" --seed 1 --at "2026-06-09 10:13:20" --out "$out/render-last.png" \
    >/dev/null 2>&1 || true
  /usr/bin/time -f '%M' -o "$out/bare_egl.rss" "$bin/bench/bare_egl" 1920x1080 $render_frames \
    >/dev/null 2>&1 || true
  # Again with the driver rasterising on the drawing thread: this pair shows
  # the memory without the rasteriser threads and their binned scenes.
  LP_NUM_THREADS=0 /usr/bin/time -f '%M' -o "$out/render-sync.rss" "$bin/lunabrelle-render" --size 1920x1080 \
    --frames $render_frames --config "$work/digital.cfg" --seed 1 --at "2026-06-09 10:13:20" --out "$out/render-last.png" \
    >/dev/null 2>&1 || true
  LP_NUM_THREADS=0 /usr/bin/time -f '%M' -o "$out/bare_egl-sync.rss" "$bin/bench/bare_egl" 1920x1080 $render_frames \
    >/dev/null 2>&1 || true
  render_kib=$(tail -n1 "$out/render.rss" 2>/dev/null || echo n/a)
  bare_egl_kib=$(tail -n1 "$out/bare_egl.rss" 2>/dev/null || echo n/a)
  render_sync_kib=$(tail -n1 "$out/render-sync.rss" 2>/dev/null || echo n/a)
  bare_egl_sync_kib=$(tail -n1 "$out/bare_egl-sync.rss" 2>/dev/null || echo n/a)
}

# --- 5, 6 and 4 (windowed): programs in a 1280x720 window under Xvfb ----------
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "perf-report: Xvfb did not start" >&2; exit 1; }
  display=":$(head -n1 "$work/display")"
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

# measure_window NAME COMMAND...: runs the command on the Xvfb display with the
# swap counter preloaded; after the warm-up, counts swaps and CPU ticks (of the
# program and of the X server) over window_seconds, then reads its VmHWM.
# Writes NAME.txt with fps, cpu_percent, xvfb_percent and vmhwm_kib.
measure_window() {
  local name=$1
  shift
  log "window: $name"
  local count="$out/$name.count"
  rm -f "$count"
  mkdir -p "$out/config-$name"
  cp "$work/digital.cfg" "$out/config-$name/quorvix_lunabrelle.cfg"
  DISPLAY=$display XDG_CONFIG_HOME="$out/config-$name" SWAP_COUNT_FILE="$count" \
    LD_PRELOAD="$build/bench/libswap_count.so" "$@" >"$out/$name.log" 2>&1 &
  running=$!
  sleep $window_warmup
  local c1 c2 x1 x2 s1 s2 hwm ticks
  ticks=$(getconf CLK_TCK)
  s1=$(cat "$count" 2>/dev/null || echo "0 0")
  c1=$(cpu_ticks "$running")
  x1=$(cpu_ticks "$xvfb")
  sleep $window_seconds
  s2=$(cat "$count" 2>/dev/null || echo "0 0")
  c2=$(cpu_ticks "$running")
  x2=$(cpu_ticks "$xvfb")
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$running/status" 2>/dev/null || true)
  if kill -0 "$running" 2>/dev/null; then
    kill "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
    running=""
    # shellcheck disable=SC2086
    awk -v s1="$s1" -v s2="$s2" -v c="$((c2 - c1))" -v x="$((x2 - x1))" -v hz="$ticks" \
      -v sec=$window_seconds -v hwm="${hwm:-n/a}" 'BEGIN {
        split(s1, a, " "); split(s2, b, " ")
        fps = (b[2] > a[2]) ? (b[1] - a[1]) / (b[2] - a[2]) : 0
        printf "fps=%.1f\ncpu_percent=%.1f\nxvfb_percent=%.1f\nvmhwm_kib=%s\n", fps, c * 100 / hz / sec, x * 100 / hz / sec, hwm
      }' >"$out/$name.txt"
  else
    wait "$running" 2>/dev/null || true
    running=""
    echo "failed=ended early" >"$out/$name.txt"
  fi
}

# The tree's own programs; the hacks, which do not change with the tree, are
# measured once (into $work) by measure_hacks.
measure_windows() {
  measure_window lunabrelle "$bin/lunabrelle"
  measure_window bare_glx "$bin/bench/bare_glx"
}

measure_hacks() {
  local hack out=$work
  for hack in "${hacks[@]}"; do
    measure_window "$hack" "$hack_dir/$hack" "${hack_options[@]}"
  done
}

# --- the profile ----------------------------------------------------------------
# Short names: paths inside this tree from its top ("dir/../" folded), objects
# by their file name.
shorten() {
  sed -E -e "s#$root/##g" -e ':fold' -e 's#(^|[ (:])[^ /:(]+/\.\./#\1#' -e 't fold' \
    -e 's#\[[^]]*/([^]/]+)\]#[\1]#g'
}

# measure_profile [FRAMES]: FRAMES steady frames (default profile_frames).
measure_profile() {
  profile_counted=${1:-$profile_frames}
  log "instruction profile (callgrind, 64x64, $profile_counted steady frames)"
  # One rasteriser thread (the calling one): the counts do not depend on how
  # the driver's threads interleave.
  profile_total=0
  (cd "$bin" && LP_NUM_THREADS=0 nice valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" \
    --instr-atstart=no --toggle-collect='*draw_steady_frames*' ./bench/saver_probe profile --size 64x64 \
    --warmup $profile_warmup --frames $profile_counted --overlays digital) >"$out/profile.log" 2>&1 || true
  [ -s "$out/callgrind.out" ] || return 0
  # Inclusive costs of the system's own functions (the driver's are in the
  # self list and the per-object sums).
  callgrind_annotate --auto=no --inclusive=yes --threshold=100 "$out/callgrind.out" 2>/dev/null |
    awk '/file:function/ { go = 1; getline; next } go && /^ *[0-9,]+ .*\]$/' | shorten |
    grep -E '  src/' | head -n 10 >"$out/inclusive.txt" || true
  callgrind_annotate --auto=no --threshold=100 "$out/callgrind.out" 2>/dev/null |
    awk '/file:function/ { go = 1; getline; next } go && /^ *[0-9,]+ /' >"$out/self-all.txt" || true
  head -n 10 "$out/self-all.txt" | shorten >"$out/self.txt" || true
  profile_total=$(awk '/^totals:/ { t = $2 } END { print (t == "" ? 0 : t) }' "$out/callgrind.out")
  # Self instructions by object: the system and its own helpers, the C
  # libraries, the GL driver and the driver's generated code.
  awk -v frames=$profile_counted -v total="$profile_total" '{
      v = $1; gsub(",", "", v)
      obj = "?"
      if (match($0, /\[[^]]*\]$/)) obj = substr($0, RSTART + 1, RLENGTH - 2)
      if (obj ~ /^clone /) obj = "?"
      n = split(obj, parts, "/"); obj = parts[n]
      if (obj == "???") obj = "??? (code generated by the driver)"
      sum[obj] += v
    } END {
      for (o in sum) printf "%14.0f  %5.1f%%  %s\n", sum[o] / frames, sum[o] * 100 / total, o
    }' "$out/self-all.txt" | sort -nr >"$out/objects.txt" || true
}

# --- the report ---------------------------------------------------------------
machine_lines() {
  local cpu cores mesa renderer version
  cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
  cores=$(nproc)
  mesa=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
  renderer=$(value gl_renderer "$out/fps-1920x1080.txt")
  version=$(value gl_version "$out/fps-1920x1080.txt")
  echo "- CPU: ${cpu:-unknown}, $cores cores (\`nproc\`), $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory"
  echo "- OpenGL: ${renderer:-unknown}, ${version:-unknown} (Debian package libgl1-mesa-dri $mesa)"
  echo "- System: $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
  echo "- Load average when the run began: $load_at_start"
  echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC'); tree: $tree"
}

# window_row NAME LABEL [DIR]: a row of the windowed table from DIR/NAME.txt
# (DIR defaults to the current tree's folder).
window_row() {
  local name=$1 label=$2 f="${3:-$out}/$1.txt"
  if [ -n "$(value failed "$f")" ] || [ ! -s "$f" ]; then
    echo "| $label | n/a | n/a | n/a | n/a |"
    return
  fi
  local fps cpu xcpu per_frame
  fps=$(value fps "$f")
  cpu=$(value cpu_percent "$f")
  xcpu=$(value xvfb_percent "$f")
  per_frame=$(awk -v c="$cpu" -v f="$fps" 'BEGIN { if (f > 0) printf "%.1f", c * 10 / f; else print "n/a" }')
  echo "| $label | $fps | $cpu % | $xcpu % | $per_frame |"
}

# ms_per_frame FILE: CPU milliseconds per swapped frame of a windowed run.
ms_per_frame() {
  [ -s "$1" ] && [ -z "$(value failed "$1")" ] || { echo n/a; return; }
  awk -v c="$(value cpu_percent "$1")" -v f="$(value fps "$1")" 'BEGIN { if (f > 0) printf "%.1f", c * 10 / f; else print "n/a" }'
}

# goal_values: the goal figures of the tree just measured (globals and $out),
# as name=value lines, so that a baseline's survive the next tree's run.
goal_values() {
  # The system's own share of the digital frame: the probe program holds the
  # system's code (linked statically); the rest is the C library, the GL
  # driver and the code it generates. Its time is estimated from that share
  # of the measured CPU per frame.
  local own_ir own_us own_line driver_ir
  own_ir=$(awk '$3 == "saver_probe" { print $1 }' "$out/objects.txt" 2>/dev/null)
  own_us=$(awk -v own="$own_ir" -v total="${profile_total:-0}" -v frames="$profile_counted" -v cpu="${frame_cpu_digital:-}" 'BEGIN {
      if (own == "" || total + 0 == 0 || cpu == "" || cpu == "n/a") print "n/a"
      else printf "%.1f", own / (total / frames) * cpu }')
  if [ "$own_us" = "n/a" ]; then own_line="n/a"; else own_line="$(grouped "$own_ir") Ir, about $own_us us"; fi
  # The GL driver's share: its library, the code it generates (no object
  # name) and its dispatch layers.
  driver_ir=$(awk '$3 ~ /^(swrast_dri|libgallium|libglapi|libGLdispatch|libEGL|libGLX|\?\?\?)/ { s += $1; n++ } END { if (n) printf "%.0f", s; else print "n/a" }' "$out/objects.txt" 2>/dev/null || echo n/a)
  echo "cpu_digital=$(fmt "$frame_cpu_digital" "%.1f")"
  echo "cpu_analog=$(fmt "$frame_cpu_analog" "%.1f")"
  echo "own_us=$own_us"
  echo "own_line=$own_line"
  echo "fps_1080=$(fmt "$(value fps_finished "$out/fps-1920x1080.txt")" "%.1f")"
  echo "first_warm=$(fmt "$first_warm" "%.0f")"
  echo "first_cold=$(fmt "$first_cold" "%.0f")"
  echo "egl_above=$(above "$render_kib" "$bare_egl_kib")"
  echo "glx_above=$(above "$(value vmhwm_kib "$out/lunabrelle.txt")" "$(value vmhwm_kib "$out/bare_glx.txt")")"
  echo "window_ms=$(ms_per_frame "$out/lunabrelle.txt")"
  echo "driver_ir=$driver_ir"
}

write_report() {
  local render_mib bare_egl_mib host_kib bare_glx_kib host_mib bare_glx_mib egl_above glx_above
  goal_values >"$out/goals.txt"
  # now NAME / then NAME: a goal figure of this tree / of the baseline.
  now() { value "$1" "$out/goals.txt"; }
  then_() { if [ -n "$baseline" ]; then value "$1" "$work/base/goals.txt"; else echo "not measured"; fi; }
  local gears_ms
  gears_ms=$(ms_per_frame "$work/gears.txt")
  host_kib=$(value vmhwm_kib "$out/lunabrelle.txt")
  bare_glx_kib=$(value vmhwm_kib "$out/bare_glx.txt")
  render_mib=$(mib "$render_kib")
  bare_egl_mib=$(mib "$bare_egl_kib")
  host_mib=$(mib "$host_kib")
  bare_glx_mib=$(mib "$bare_glx_kib")
  egl_above=$(now egl_above)
  glx_above=$(now glx_above)
  # row LABEL NAME UNIT OP GOAL GOAL_TEXT: one line of the goals table.
  row() {
    local n t
    n=$(now "$2")
    t=$(then_ "$2")
    [ -n "$baseline" ] && t="$t $3"
    echo "| $1 | $t | $n $3 | $6 | $(mark "$n" "$4" "$5") |"
  }

  {
    echo "# Performance"
    echo
    echo "Measured by \`scripts/perf-report.sh\` in one run; regenerate with"
    echo
    echo '```'
    echo "scripts/perf-report.sh        # builds build-perf/, measures, rewrites docs/PERFORMANCE.md"
    echo "scripts/perf-report.sh build-perf OLD/build-perf   # the same, with an older build beside it"
    echo '```'
    echo
    echo "The machine it ran on:"
    echo
    machine_lines
    echo
    echo "Software GL throughout: Mesa's llvmpipe, headless through EGL or under Xvfb through GLX."
    echo "The headless runs keep to a 60 Hz virtual clock from a fixed time and a fixed random seed,"
    echo "so every run draws the same frames."
    echo
    echo "## Goals"
    echo
    if [ -n "$baseline" ]; then
      echo "Each figure beside the baseline (tree $baseline_tree), measured in the same run. The machine is"
      echo "shared: wall-clock figures vary by tens of percent from run to run; instruction counts do not."
    else
      echo "No baseline was given (second argument), so the baseline column is empty."
    fi
    echo
    echo "| Figure | Baseline | Measured | Goal | |"
    echo "|---|---|---|---|---|"
    row "CPU per frame, 64x64, digital clock + calendar + frame rate" cpu_digital us "<=" 50 "at most 50 us"
    row "CPU per frame, 64x64, analog clock + calendar + frame rate" cpu_analog us "<=" 50 "at most 50 us"
    echo "| of which the system's own code (its share of the frame's instructions, callgrind) | $(then_ own_line) | $(now own_line) | at most 50 us | $(mark "$(now own_us)" "<=" 50) |"
    row "GL driver and shader instructions per frame, 64x64 (callgrind, LP_NUM_THREADS=0)" driver_ir Ir "<=" 3000000 "at most 3,000,000 Ir"
    row "Frames per second, 1920x1080, completed frames" fps_1080 "" ">=" 60 "at least 60"
    row "CPU per frame, 1280x720 window under Xvfb (gears in the same run: $gears_ms ms)" window_ms ms "<=" "$gears_ms" "at most gears' $gears_ms ms"
    row "startAnimation to first completed frame, 1920x1080, median in one process" first_warm ms "<=" 100 "at most 100 ms"
    row "startAnimation to first completed frame, 1920x1080, fresh process" first_cold ms "<=" 100 "at most 100 ms"
    row "Peak resident memory above the bare context, lunabrelle-render 1920x1080" egl_above MiB "<=" 24 "at most 24 MiB"
    row "Peak resident memory above the bare context, lunabrelle 1280x720 window" glx_above MiB "<=" 24 "at most 24 MiB"
    echo
    echo "## 1. The system's CPU per frame"
    echo
    echo "\`bench/bench_saver_frame --benchmark_filter=BM_FullSaverFrame\` (source \`bench/saver_frame.cpp\`):"
    echo "the full saver at 64x64, so that rasterisation costs next to nothing, after 120 warm-up"
    echo "frames; CPU time of the calling thread per frame (the system's work and the GL driver's"
    echo "handling of its calls; the driver's rasteriser threads are not counted), median of"
    echo "$bench_repetitions repetitions. The wall time includes waiting for glFinish."
    echo
    echo "| Overlays | CPU per frame | Wall time per frame |"
    echo "|---|---|---|"
    echo "| digital clock, calendar, frame rate | $(fmt "$frame_cpu_digital" "%.1f") us | $(fmt "$frame_real_digital" "%.1f") us |"
    echo "| analog clock, calendar, frame rate | $(fmt "$frame_cpu_analog" "%.1f") us | $(fmt "$frame_real_analog" "%.1f") us |"
    echo
    echo "## 2. Frames per second, headless"
    echo
    echo "\`bench/saver_probe fps\`: the full saver (digital clock, calendar, frame rate) on a headless"
    echo "EGL context, $fps_warmup warm-up frames, then N frames each followed by glFinish (completed"
    echo "frames), then N frames ending only in the frame driver's glFlush with one glFinish at the end"
    echo "(pipelined: the driver may rasterise one frame while the next is drawn). CPU per completed"
    echo "frame is given for the calling thread and for the whole process (with the rasteriser threads)."
    echo
    echo "| Size | Frames | Completed fps | Pipelined fps | Main thread CPU per frame | Process CPU per frame |"
    echo "|---|---|---|---|---|---|"
    local i size f
    for i in "${!fps_sizes[@]}"; do
      size=${fps_sizes[$i]}
      f="$out/fps-$size.txt"
      echo "| $size | ${fps_frames[$i]} | $(fmt "$(value fps_finished "$f")" "%.1f") | $(fmt "$(value fps_pipelined "$f")" "%.1f") | $(fmt "$(value main_thread_cpu_ms_per_frame "$f")" "%.2f") ms | $(fmt "$(value process_cpu_ms_per_frame "$f")" "%.2f") ms |"
    done
    echo
    echo "Goal: at least 60 completed frames per second at 1920x1080: $(mark "$(now fps_1080)" ">=" 60)."
    echo
    echo "## 3. First frame"
    echo
    echo "\`bench/saver_probe first-frame --size 1920x1080\`: from startAnimation (settings read, world"
    echo "built) through the first tick (scene built, archives read, textures uploaded) to the end of"
    echo "glFinish; the view and its context exist before. Fresh processes: $first_frame_fresh_runs runs of"
    echo "one start each, median (each: $first_cold_all ms). One process: $first_frame_runs starts in a row"
    echo "(each: ${first_in_process:-n/a} ms); the median leaves out the first."
    echo
    echo "| Run | Time | Goal | |"
    echo "|---|---|---|---|"
    echo "| fresh process (cold) | $(fmt "$first_cold" "%.0f") ms | at most 100 ms | $(mark "$first_cold" "<=" 100) |"
    echo "| later starts in one process | $(fmt "$first_warm" "%.0f") ms | at most 100 ms | $(mark "$first_warm" "<=" 100) |"
    echo
    echo "## 4. Peak resident memory"
    echo
    echo "Beside bare programs that create the same kind of GL context and only clear it (sources in"
    echo "\`bench/bare/\`: \`bare_egl\`, the headless context of lunabrelle-render; \`bare_glx\`, the"
    echo "window and GLX configuration the windowed host chooses)."
    echo
    echo "lunabrelle-render waits for every frame (glFinish after each tick) and the windowed host"
    echo "at every buffer swap, so the driver never holds a queue of unfinished frames. With"
    echo "\`LP_NUM_THREADS=0\` the driver rasterises on the drawing thread, without rasteriser"
    echo "threads and their binned scenes: the second row."
    echo
    echo "| Program | Peak resident (VmHWM) | Bare program | Above bare | Goal | |"
    echo "|---|---|---|---|---|---|"
    echo "| lunabrelle-render --size 1920x1080 --frames $render_frames (GNU time, max RSS) | $render_mib MiB | bare_egl 1920x1080: $bare_egl_mib MiB | $egl_above MiB | at most 24 MiB | $(mark "$egl_above" "<=" 24) |"
    local sync_above
    sync_above=$(above "$render_sync_kib" "$bare_egl_sync_kib")
    echo "| the same, LP_NUM_THREADS=0 (both) | $(mib "$render_sync_kib") MiB | bare_egl: $(mib "$bare_egl_sync_kib") MiB | $sync_above MiB | at most 24 MiB | $(mark "$sync_above" "<=" 24) |"
    echo "| lunabrelle, 1280x720 window under Xvfb (after ${window_warmup}+${window_seconds} s) | $host_mib MiB | bare_glx 1280x720: $bare_glx_mib MiB | $glx_above MiB | at most 24 MiB | $(mark "$glx_above" "<=" 24) |"
    echo
    echo "## 5, 6. Windowed, under Xvfb, beside XScreenSaver's GL hacks"
    echo
    echo "Each program alone on one Xvfb (1600x1000x24) in a 1280x720 window, with"
    echo "\`bench/libswap_count.so\` preloaded (it counts glXSwapBuffers and eglSwapBuffers calls, so"
    echo "every program's frames are counted the same way). After $window_warmup s of warm-up, swaps and"
    echo "CPU (user + system, all threads, from /proc/PID/stat) over $window_seconds s; the X server's own"
    echo "CPU over the same time beside it. 100 % is one core."
    echo
    echo "| Program | Frames per second | CPU | X server CPU | CPU ms per frame |"
    echo "|---|---|---|---|---|"
    window_row lunabrelle "lunabrelle (digital clock, calendar, frame rate; 60 Hz)"
    window_row bare_glx "bare_glx (clear and swap at 60 Hz)"
    local hack
    for hack in "${hacks[@]}"; do
      window_row "$hack" "$hack ${hack_options[*]}" "$work"
    done
    echo
    echo "The hacks run with their own defaults (gears and glmatrix: -delay 30000, pipes: -delay"
    echo "10000, in microseconds between frames), from Debian's xscreensaver-gl"
    echo "$(dpkg-query -W -f='${Version}' xscreensaver-gl 2>/dev/null || echo '(version unknown)')."
    echo "\`scripts/measure-cpu.sh\` measures the windowed host's CPU the same way, alone."
    echo
    echo "## Profile"
    echo
    echo "### Now"
    echo
    echo "\`valgrind --tool=callgrind --instr-atstart=no --toggle-collect='*draw_steady_frames*' bench/saver_probe profile"
    echo "--size 64x64 --warmup $profile_warmup --frames $profile_frames\`, with \`LP_NUM_THREADS=0\` (the driver"
    echo "rasterises on the calling thread; instruction counts do not depend on thread timing). Only"
    echo "the $profile_frames steady frames after the $profile_warmup warm-up frames are counted: the full saver"
    echo "with digital clock, calendar and frame rate on the 60 Hz virtual clock. Instructions (Ir), as"
    echo "\`callgrind_annotate\` gives them; the GL driver has no symbols, so its functions show as addresses."
    echo
    if [ -s "$out/inclusive.txt" ]; then
      echo "Total: $(grouped "$profile_total") Ir, $(grouped "$(awk -v t="$profile_total" -v n=$profile_counted 'BEGIN { printf "%.0f", t / n }')") Ir per frame."
      echo
      echo "Inclusive, top 10 of the system's functions (\`callgrind_annotate --inclusive=yes\`; a recursive"
      echo "function's cycle, marked \`'2\`, can exceed 100 %):"
      echo
      echo '```'
      echo "Ir                       file:function"
      cat "$out/inclusive.txt"
      echo '```'
      echo
      echo "Self, top 10 (\`callgrind_annotate\`):"
      echo
      echo '```'
      echo "Ir                       file:function"
      cat "$out/self.txt"
      echo '```'
      echo
      echo "Self instructions by object, per frame:"
      echo
      echo '```'
      echo "  Ir per frame   share  object"
      cat "$out/objects.txt"
      echo '```'
    else
      echo "The profile run failed; its log ends:"
      echo
      echo '```'
      tail -n 20 "$out/profile.log" 2>/dev/null | shorten
      echo '```'
    fi
    echo
    echo "### Before and after the optimisation work"
    echo
    if [ -s "$notes" ]; then
      # Its own title is dropped and its headings sit below this section's.
      sed -e '1{/^# /d}' -e 's/^##/####/' "$notes"
    else
      echo "_docs/profile-notes.md is not there yet: the costs before and after and what stands in the way of each missed goal will appear here._"
    fi
  } >"$report"
}

install_needs
# Read before the report is rewritten, which would count as a local change.
tree="$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)$(git -C "$root" diff --quiet 2>/dev/null || echo ' (with local changes)')"
build_tree
"$build/bench/saver_probe" settings "$work/digital.cfg" --overlays digital
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)
start_xvfb

# measure_tree PROFILE_FRAMES: every figure of the build in $bin, into $out.
measure_tree() {
  mkdir -p "$out"
  measure_frame_cpu
  measure_fps
  measure_first_frame
  measure_render_memory
  measure_windows
  measure_profile "$1"
  goal_values >"$out/goals.txt"
}

if [ -n "$baseline" ]; then
  log "baseline: $baseline"
  # Fewer profiled frames: the count per frame is the same, and it is slow.
  out="$work/base" bin="$baseline"
  measure_tree 60
fi
out="$work/now" bin="$build"
measure_tree $profile_frames
measure_hacks
write_report
log "wrote $report"
