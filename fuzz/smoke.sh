#!/usr/bin/env bash
# A short fuzz run of the settings reader and the code page 932 conversion:
# builds the libFuzzer targets with clang and runs each for a short while on
# a copy of its corpus. Exits non-zero on any crash, leak, timeout or
# broken promise.
#
#   fuzz/smoke.sh [build-dir]                   (default: build-fuzz)
#   SETTINGS_SECONDS=600 fuzz/smoke.sh          (longer settings run)
#
# New finds are thrown away; fuzz/README.md says how to run a long campaign
# and fold its finds back into fuzz/corpus.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-fuzz}
settings_seconds=${SETTINGS_SECONDS:-50}
cp932_seconds=${CP932_SECONDS:-10}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORLANE_FUZZ=ON -DVORLANE_BENCH=OFF >/dev/null
ninja -C "$build" -j2 fuzz_settings fuzz_cp932

# The settings target writes vln.ini on every run: keep that in memory.
scratch_parent=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
work=$(mktemp -d "$scratch_parent/vorlane-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0
run_target() {
    local name=$1 seconds=$2
    mkdir -p "$work/$name/corpus" "$work/$name/tmp" "$work/$name/artifacts"
    cp -r "$root/fuzz/corpus/$3/." "$work/$name/corpus/"
    local status=0
    TMPDIR="$work/$name/tmp" "$build/fuzz/$name" -max_total_time="$seconds" -detect_leaks=1 \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$work/$name/artifacts/" \
        -dict="$root/fuzz/$3.dict" "$work/$name/corpus" >"$work/$name/log" 2>&1 || status=$?
    local executed
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name/log")
    echo "$name: ${executed:-?} executions (limit ${seconds} s), exit status $status"
    if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/$name/artifacts")" ]; then
        failed=1
        grep -E 'ERROR|SUMMARY|broke its promise|runtime error' "$work/$name/log" | head -20 || true
        local keep="$build/fuzz-findings/$name"
        mkdir -p "$keep"
        cp "$work/$name/log" "$keep/" && cp -r "$work/$name/artifacts/." "$keep/"
        echo "$name: log and reproducers kept in $keep"
    fi
}

run_target fuzz_settings "$settings_seconds" settings
run_target fuzz_cp932 "$cp932_seconds" cp932
exit "$failed"
