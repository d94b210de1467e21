#!/usr/bin/env bash
# Times the deliverables: the translation of the examples and of the long
# queries of tests/bench/shapes.h (64 KiB and 1 MiB, fullwidth-space option
# off and on, the option read from a real profile file through the plug-in's
# profile store), loading and starting the plug-in over a large profile and
# one confirmed search's profile work, and the dialog's hint line for a
# query of 64 bytes, 4 KiB and 1 MiB. Natively, and under wine for the win64
# and the win32 build; prints one table in milliseconds.
#   bash scripts/bench.sh
# Reuses build/native, build/win64 and build/win32 (configures the missing
# ones) and builds only the timing programs, the plug-in and the stand-in
# VRInfo.dll. Not part of scripts/test.sh: it takes minutes. It sets the
# registry values that start-up reads in each build's wine prefix (putting
# back what was there), so do not run it beside ctest in the same trees.
#
# The figures are medians: of up to 5 runs for a translation, of 5 programs
# for the start-up (a library starts once per process). Rows named
# .../profile-of-64-favourites show the same work over a profile of about
# 64 KiB; the profile-read and profile-write rows are one profile call.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh

presets=(native win64 win32)
load_runs=5
out=build/bench
mkdir -p "$out"

for preset in "${presets[@]}"; do
    if [[ ! -f build/$preset/CMakeCache.txt ]]; then
        cmake --preset "$preset" >/dev/null
    fi
    echo "bench.sh: building $preset" >&2
    cmake --build --preset "$preset" --target zms_translate_timing zms_startup_timing >/dev/null
done

# The path as a Windows program of the build takes it (wine's drive Z: is /).
windows_path() {
    local path
    path=$(realpath "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# run PRESET PROGRAM ARGS...: the build's program, under wine for Windows.
run() {
    local preset=$1 program=$2
    shift 2
    if [[ $preset == native ]]; then
        "build/native/tests/bench/$program" "$@"
    else
        cmake/wine-run.sh --prefix "build/$preset/wineprefix" --arch "$preset" \
            "build/$preset/tests/bench/$program.exe" "$@"
    fi
}

for preset in "${presets[@]}"; do
    echo "bench.sh: timing $preset" >&2
    if [[ $preset == win32 ]] && ! /usr/lib/wine/wine --version > /dev/null 2>&1; then
        # A kernel without 32-bit support (some sandboxes) cannot start wine32.
        echo "bench.sh: this machine cannot run 32-bit programs: no win32 figures" >&2
        : > "$out/$preset.txt"
        continue
    fi
    if [[ $preset == native ]]; then
        plugin=$(realpath build/native/plugin/ZentoroMailSearch64.so)
        mail_directory=$(realpath build/native/tools/zms-host)/
    else
        bits=${preset#win}
        plugin=$(windows_path "build/$preset/plugin/ZentoroMailSearch$bits.dll")
        mail_directory="$(windows_path "build/$preset/tools/zms-host")\\"
    fi
    {
        run "$preset" zms_translate_timing
        for ((i = 0; i < load_runs; i++)); do
            run "$preset" zms_startup_timing "$plugin" "$mail_directory"
        done
        run "$preset" zms_startup_timing "$plugin" "$mail_directory" --favourites 64
    } | tee "$out/$preset.txt" | sed "s/^/  $preset: /" >&2
done

# ROW<TAB>MEDIAN for each row of a preset's lines, in the order of first
# appearance; a row printed by several programs takes the median of theirs.
medians() {
    awk -F'\t' '$1 == "timing" { if (!($2 in first)) first[$2] = ++n; print first[$2] "\t" $2 "\t" $3 }' "$1" |
        sort -t$'\t' -k1,1n -k3,3g |
        awk -F'\t' 'function flush() { if (n) printf "%s\t%.3f\n", row, n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }
                    $2 != row { flush(); row = $2; n = 0 }
                    { v[++n] = $3 }
                    END { flush() }'
}

# The goal of a row in ms, or "" for the rows that only compare.
goal() {
    case $1 in
        confirm/profile-of-64-favourites) echo 100 ;;  # a profile of about 64 KiB
        hint/*) echo 1 ;;  # the dialog's hint line, at every change of the query line
        confirm/large-profile) echo 500 ;;
        */profile-of-*|profile-*) echo "" ;;
        */64KiB/*) echo 50 ;;
        */1MiB/*) echo 1000 ;;
        startup/*|confirm/*) echo 100 ;;
        *) echo "" ;;
    esac
}

for preset in "${presets[@]}"; do
    medians "$out/$preset.txt" >"$out/$preset.medians"
done

echo
echo "Milliseconds (medians); examples = the 20 example queries together."
printf '| %-38s | %10s | %10s | %10s | %6s | %-14s |\n' row native win64 win32 goal over
printf '|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..40})" "$(printf -- '-%.0s' {1..12})" \
    "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..12})" "$(printf -- '-%.0s' {1..8})" \
    "$(printf -- '-%.0s' {1..16})"
cut -f1 "$out/native.medians" | while read -r row; do
    line=("$row")
    over=""
    target=$(goal "$row")
    for preset in "${presets[@]}"; do
        value=$(awk -F'\t' -v r="$row" '$1 == r { print $2 }' "$out/$preset.medians")
        line+=("${value:--}")
        if [[ -n $target && -n $value ]] &&
            awk -v v="$value" -v g="$target" 'BEGIN { exit !(v >= g) }'; then
            over+="${over:+ }$preset"
        fi
    done
    printf '| %-38s | %10s | %10s | %10s | %6s | %-14s |\n' "${line[@]}" "${target:--}" "$over"
done
echo
note=$(awk -F'\t' '$1 == "timing" && $2 ~ /large-profile/ { print $6; exit }' "$out/native.txt")
echo "large profile: $note"
echo "lines of every run: $out/<preset>.txt"
