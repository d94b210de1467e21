#!/usr/bin/env bash
# Two processes confirm queries and store favourites in one profile file at
# the same time, many rounds each; afterwards the file must parse, hold no torn
# line, and every key must hold a value that was written to it, each writer's
# own favourites the last one it wrote (concurrent_profile_writer.cpp).
# usage: concurrent_profile_test.sh WORKDIR native|win64|win32 ROUNDS [EMULATOR...] WRITER
set -u
work=$1
platform=$2
rounds=$3
shift 3
writer=("$@")

rm -rf "$work"
mkdir -p "$work"
profile=$work/ZentoroMailSearch.ini
arg=$profile
if [[ $platform != native ]]; then
    # Both wine processes share the build's prefix; the file is named by its
    # drive Z: path, as wine shows the Unix root.
    arg="Z:$(realpath "$profile" | tr / '\\')"
fi

pids=()
for w in 0 1; do
    "${writer[@]}" write "$arg" "$w" "$rounds" > "$work/writer$w.out" 2>&1 &
    pids+=($!)
done
failed=0
for w in 0 1; do
    if ! wait "${pids[$w]}"; then
        echo "FAIL writer $w ended with an error:"
        sed 's/^/     /' "$work/writer$w.out"
        failed=1
    fi
done

"${writer[@]}" check "$arg" 2 "$rounds" > "$work/check.out" 2>&1
status=$?
tr -d '\r' < "$work/check.out" | sed 's/^/     /'
if [[ $status == 0 && $failed == 0 ]]; then
    echo "ok   two writers, $rounds rounds each: nothing torn, nothing lost"
else
    echo "FAIL two writers, $rounds rounds each"
    failed=1
fi
# Temporary files of the writers' replacements must not stay behind.
leftovers=$(find "$work" -name 'ZentoroMailSearch.ini?*' | head -5)
if [[ -n $leftovers ]]; then
    echo "FAIL files left beside the profile: $leftovers"
    failed=1
fi
exit $failed
