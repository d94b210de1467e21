#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`: clang, libFuzzer, ASan and UBSan) and
# runs each for a while, one after another. Fails if any target finds a crash,
# a sanitizer report, a broken property or an input slower than one second.
#
#   scripts/fuzz.sh                 # each target for 20 s
#   scripts/fuzz.sh 600             # each for 10 minutes
#   scripts/fuzz.sh 60 profile      # only fuzz_profile, for a minute
#   ZMS_FUZZ_RUNS=10000000 scripts/fuzz.sh 14400 search
#                                   # until ten million executions, four hours at most
#   scripts/fuzz.sh --smoke 20      # the short runs of scripts/test.sh: only a hang
#                                   # (an input over 60 s) counts as slow
#
# Each target's corpus grows in build/fuzz/corpus/<target> (seeded from
# tests/fuzz/corpus/<target>); what fails is saved as build/fuzz/artifacts/<target>-*
# and can be run again with build/fuzz/tests/fuzz/fuzz_<target> <file>.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# How long one input may take before it counts as a failure. A campaign keeps
# the strict second: an input that slow is a find. A smoke run shares the
# machine with whatever else runs (the test command's builds, a CI's
# neighbours), which has stretched a unit of 0.13 s to 14 s: there a unit fails
# only when no load can explain it, a hang.
unit_timeout=1
if [[ ${1:-} == --smoke ]]; then
    unit_timeout=60
    shift
fi
seconds=${1:-20}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(translate profile registry search)

bash scripts/setup.sh
# libFuzzer's runtime comes with clang's runtime libraries.
if ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" > /dev/null; then
    sudo=()
    [[ "$(id -u)" -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends libclang-rt-dev
fi

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz

# The targets write their files to a scratch directory under TMPDIR: memory
# rather than disk where there is one.
if [[ -z "${TMPDIR:-}" && -d /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi

failed=0
for target in "${targets[@]}"; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus" build/fuzz/artifacts
    log=build/fuzz/fuzz_$target.log
    echo "=== fuzz_$target, $seconds s (an input over $unit_timeout s fails)"
    if build/fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -runs="${ZMS_FUZZ_RUNS:--1}" \
        -timeout="$unit_timeout" -max_len=4096 \
        -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/"$target"- \
        "$corpus" tests/fuzz/corpus/"$target" > "$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true
        grep -E 'stat::number_of_executed_units' "$log" || true
    else
        echo "fuzz_$target FAILED (log: $log):"
        grep -E -A20 '^\*\*\*|ERROR: |SUMMARY' "$log" | head -40
        failed=1
    fi
done
exit $failed
