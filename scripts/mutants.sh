#!/usr/bin/env bash
# Measures how many plausible faults the plain suite catches. Each mutant of
# scripts/mutants.txt (a fixed sample over src/ and platform/) is applied alone
# to a scratch copy of the tree, built incrementally in a build folder kept for
# that copy, and the suite without the soak label is run with early exit on the
# first failure. The working tree itself is never changed.
#
#   scripts/mutants.sh [--sanitize] [--rev COMMIT] [--timeout SECONDS] [--report FILE]
#                      [--scratch DIR] [--list] [FILTER...]
#
# FILTER: mutant ids (x11-sighup) or path prefixes (src/settings, platform/x11);
# without one, the whole sample. --sanitize runs each survivor again on an
# ASan + UBSan build of the same copy. --rev measures a commit instead of the
# working tree (the sample is always this tree's). --report also writes the
# table to FILE.
# Per mutant: killed (a test failed), survived, stillborn (does not build;
# not counted) or not-applicable (its original text is no longer in the file:
# mend the sample). The kill ratio is killed / (killed + survived).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sample="$root/scripts/mutants.txt"
scratch=/tmp/lunabrelle-mutants
timeout_s=""
sanitize=0
report=""
list=0
rev=""
filters=()
while (($#)); do
    case "$1" in
    --sanitize) sanitize=1 ;;
    --timeout) timeout_s=$2; shift ;;
    --report) report=$2; shift ;;
    --rev) rev=$2; shift ;;
    --scratch) scratch=$2; shift ;;
    --list) list=1 ;;
    -h | --help) awk 'NR > 1 && !/^#/ { exit } NR > 1 { sub(/^# ?/, ""); print }' "$0"; exit 0 ;;
    -*) echo "mutants.sh: unknown option $1" >&2; exit 2 ;;
    *) filters+=("$1") ;;
    esac
    shift
done

# The sample as one record a line: id, path, description, original, replacement,
# equivalence note (fields separated by ASCII unit separators).
records=$(perl -ne '
    BEGIN { $/ = "\n"; }
    chomp;
    if (/^@ (\S+) (\S+)$/) { print_rec(); @r = ($1, $2, "", "", "", ""); $n = 1; next; }
    next unless $n;
    if (/^= ?(.*)$/) { $r[2] = $1; }
    elsif (/^- ?(.*)$/) { $r[3] = $1; }
    elsif (/^\+ ?(.*)$/) { $r[4] = $1; }
    elsif (/^! ?(.*)$/) { $r[5] = $1; }
    sub print_rec { print join("\x1f", @r), "\n" if @r; }
    END { print_rec(); }
' "$sample")

selected() {
    local id=$1 path=$2 f
    ((${#filters[@]} == 0)) && return 0
    for f in "${filters[@]}"; do
        [[ $id == "$f" || $path == "$f"* ]] && return 0
    done
    return 1
}

if ((list)); then
    while IFS=$'\x1f' read -r id path desc _ _ eq; do
        selected "$id" "$path" && printf '%-24s %-40s %s%s\n' "$id" "$path" "$desc" "${eq:+ [$eq]}"
    done <<<"$records"
    exit 0
fi

# ccache keeps restored files cheap: their objects are already in the cache.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$scratch"
fi
tree="$scratch/tree"
source=$root
mkdir -p "$tree"
if [[ -n $rev ]]; then
    source="$scratch/export"
    rm -rf "$source"
    mkdir -p "$source"
    git -C "$root" archive "$rev" | tar -x -C "$source"
fi
# Only files whose bytes differ are copied, with a fresh time stamp, so the
# kept build folders rebuild exactly what changed since the last run.
rsync -rl --checksum --delete --exclude=/.git --exclude='/build*' "$source/" "$tree/"

configure() {  # folder, extra CMake arguments
    local dir=$1
    shift
    [[ -f $dir/CMakeCache.txt ]] && return 0
    cmake -S "$tree" -B "$dir" -DLUNABRELLE_BENCH=OFF -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g0" -DCMAKE_C_FLAGS_RELEASE="-O1 -g0" "$@" >"$dir.configure.log"
}
build() {  # folder, targets (default all)
    local dir=$1
    shift
    cmake --build "$dir" -j2 ${1:+--target "$@"} >"$dir.build.log" 2>&1
}
# Exit status 0 when every test passed, else prints the first failing test.
# Extra arguments go to ctest (-R, -E).
run_suite() {
    local dir=$1 out status=0
    shift
    out=$(cd "$dir" && timeout "$timeout_s" ctest -LE soak -j2 --stop-on-failure --timeout 120 "$@" 2>&1) ||
        status=$?
    if ((status != 0)); then
        local first
        first=$(sed -n '1s/^[0-9]*://p' "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null)
        ((status == 124)) && first="suite timed out"
        echo "${first:-ctest status $status}"
    fi
    return $status
}

# The test program that mirrors a source folder, and the targets it needs:
# a mutant is first tried against that program alone, so that most kills
# cost one object, one link and one program's run.
near_tests() {  # path -> "program-path target..." (empty: none)
    case "$1" in
    src/*) local sub=${1#src/}; sub=${sub%%/*}; echo "tests/test_$sub test_$sub" ;;
    platform/x11/*) echo "tests/x11/test_x11 test_x11 lunabrelle" ;;
    platform/gtk/*) echo "gtk test_gtk lunabrelle-settings" ;;
    platform/render/* | platform/system/* | platform/egl/*)
        echo "tests/test_platform test_platform lunabrelle-render" ;;
    esac
}

# Runs the near program; on a failure confirms it as ctest runs that test
# (its own process), printing the test. Status 0 when nothing failed.
near_suite() {  # build folder, program path
    local dir=$1 program=$2 out failed
    if [[ $program == gtk ]]; then
        run_suite "$dir" -R '^settings_dialog$'
        return
    fi
    [[ -x $dir/$program ]] || return 0
    out=$(cd "$(dirname "$dir/$program")" && LUNABRELLE_BUILD_DIR=$dir \
        timeout "$timeout_s" "./$(basename "$program")" --gtest_fail_fast 2>&1) && return 0
    # The failed test, or the one running when the program crashed.
    failed=$(grep -m1 -oE '^\[  FAILED  \] [^ ,]+' <<<"$out" | sed 's/^\[  FAILED  \] //')
    [[ -z $failed ]] && failed=$(grep -oE '^\[ RUN      \] [^ ,]+' <<<"$out" | tail -n1 | sed 's/^\[ RUN      \] //')
    [[ -z $failed ]] && return 0  # ended outside a test: leave it to the whole suite
    run_suite "$dir" -R "^$(sed 's/[.]/[.]/g' <<<"$failed")\$"
}

dirs=("$scratch/build")
configure "$scratch/build"
if ((sanitize)); then
    dirs+=("$scratch/build-asan")
    configure "$scratch/build-asan" -DLUNABRELLE_SANITIZE=ON
fi
for dir in "${dirs[@]}"; do
    if ! build "$dir"; then
        echo "mutants.sh: the unchanged tree does not build in $dir (see $dir.build.log)" >&2
        exit 1
    fi
    t0=$SECONDS
    if ! why=$(timeout_s=${timeout_s:-3600} run_suite "$dir"); then
        echo "mutants.sh: the unchanged tree fails its suite in $dir: $why" >&2
        exit 1
    fi
    # A mutant's suite may take three times as long as the unchanged one's
    # before it counts as hanging (which kills it), and never less than the
    # per-test limit plus a minute: an end-to-end test that waits out its
    # bound then fails under its own name.
    if [[ -z $timeout_s ]]; then timeout_s=$((3 * (SECONDS - t0) + 60)); ((timeout_s >= 180)) || timeout_s=180; fi
done
echo "unchanged tree builds and passes; a suite that runs over ${timeout_s} s counts as hanging"
# Programs that tests start, and the archives made by a program of the system.
known=$(cmake --build "${dirs[0]}" --target help | sed -n 's/^\.\.\. //p' | cut -d' ' -f1)
spawned="" archives=""
for t in lunabrelle lunabrelle-render lunabrelle-settings lunabrelle-pak; do
    grep -qx -- "$t" <<<"$known" && spawned+=" $t"
done
grep -qx lunabrelle_content_archives <<<"$known" && archives=lunabrelle_content_archives

# Replaces the first occurrence of the original text; status 3 when it is gone.
apply() {
    FROM=$2 TO=$3 perl -e '
        my ($f, $t) = map { s/\\n/\n/gr } @ENV{qw(FROM TO)};
        open(my $in, "<", $ARGV[0]) or exit 3;
        local $/;
        my $text = <$in>;
        close $in;
        my $i = index($text, $f);
        exit 3 if $i < 0 || $f eq "";
        substr($text, $i, length $f) = $t;
        open(my $out, ">", $ARGV[0]) or exit 4;
        print $out $text;
        close $out or exit 4;' "$1"
}

current=""
restore() {
    [[ -n $current ]] && cp "$source/$current" "$tree/$current"
    current=""
}
trap restore EXIT

table=$(mktemp)
killed=0 survived=0 stillborn=0 missing=0 equivalent=0 killed_san=0 whole=0 dirty=0
started=$SECONDS
while IFS=$'\x1f' read -r -u 3 id path desc from to eq; do
    selected "$id" "$path" || continue
    t0=$SECONDS
    status="" detail=""
    current=$path
    if ! apply "$tree/$path" "$from" "$to"; then
        status=not-applicable
        missing=$((missing + 1))
    else
        read -r program targets <<<"$(near_tests "$path")"
        whole=0
        # The programs the near tests start are rebuilt with them; after a
        # whole build they and the archives still hold the last mutant.
        if [[ -n $targets ]]; then
            targets+=" $spawned"
            if ((dirty)); then targets+=" $archives"; fi
        fi
        if [[ -n $targets ]] && ! build "${dirs[0]}" $targets; then
            status=stillborn
        elif [[ -n $targets ]] && { dirty=0; detail=$(near_suite "${dirs[0]}" "$program") || true; } && [[ -n $detail ]]; then
            status=killed
        elif whole=1 && ! build "${dirs[0]}"; then
            status=stillborn
        elif detail=$(run_suite "${dirs[0]}"); then
            status=survived
            if ((sanitize)) && build "${dirs[1]}" && ! detail=$(run_suite "${dirs[1]}"); then
                status=killed-sanitizer
            fi
        else
            status=killed
        fi
    fi
    case $status in
    killed) killed=$((killed + 1)) ;;
    killed-sanitizer) killed_san=$((killed_san + 1)) ;;
    stillborn) stillborn=$((stillborn + 1)) ;;
    esac
    if [[ $status == survived ]]; then
        survived=$((survived + 1))
        detail=""
        [[ -n $eq ]] && { equivalent=$((equivalent + 1)); detail=$eq; }
    fi
    restore
    if ((whole)); then dirty=1; fi
    line=$(printf '%-24s %-17s %4ss  %s%s' "$id" "$status" $((SECONDS - t0)) "$desc" "${detail:+ -- $detail}")
    echo "$line" | tee -a "$table"
done 3<<<"$records"
# Leave the kept build folders matching the unchanged copy.
for dir in "${dirs[@]}"; do build "$dir" || true; done

{
    counted=$((killed + survived + killed_san))
    echo
    echo "killed $killed, survived $survived ($equivalent marked equivalent), stillborn $stillborn," \
        "not applicable $missing; $((SECONDS - started)) s"
    if ((counted > 0)); then
        awk -v k=$killed -v n=$counted -v e=$equivalent 'BEGIN {
            printf "kill ratio (plain suite): %d/%d = %.0f %%", k, n, 100 * k / n
            if (n > e) printf "; without the equivalent mutants %d/%d = %.0f %%", k, n - e, 100 * k / (n - e)
            printf "\n" }'
        if ((sanitize)); then
            awk -v k=$((killed + killed_san)) -v n=$counted 'BEGIN {
                printf "kill ratio with the sanitizer suite: %d/%d = %.0f %%\n", k, n, 100 * k / n }'
        fi
    fi
} | tee -a "$table"
[[ -n $report ]] && cp "$table" "$report"
rm -f "$table"
