#!/usr/bin/env bash
# Builds and runs the tests three times: natively over the POSIX layer, the
# 64-bit Windows build under wine64 and the 32-bit one under wine32; then the
# native tests once more with AddressSanitizer and UBSan; the release zip and
# its test (scripts/release.sh); and each fuzz target for a short while
# (scripts/fuzz.sh); and the playground, its module against the reference
# reading and its page in headless chromium (tests/browser/run.sh). Goes on after a failure so that one run
# shows all of them; fails if any failed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh

start=$SECONDS
results=()
failed=0
for preset in native win64 win32 native-asan; do
    echo "=== $preset"
    preset_start=$SECONDS
    if [[ $preset == win32 ]] && ! /usr/lib/wine/wine --version > /dev/null 2>&1; then
        # A kernel without 32-bit support (some sandboxes) cannot start wine32.
        echo "test.sh: this machine cannot run 32-bit programs: win32 is built, not tested"
        if cmake --preset win32 && cmake --build --preset win32; then
            results+=("win32 built, NOT TESTED: no 32-bit programs on this machine ($((SECONDS - preset_start)) s)")
        else
            results+=("win32 FAILED")
            failed=1
        fi
        continue
    fi
    if cmake --preset "$preset" && cmake --build --preset "$preset" && ctest --preset "$preset"; then
        results+=("$preset passed ($((SECONDS - preset_start)) s)")
    else
        results+=("$preset FAILED")
        failed=1
    fi
done

# The release zip from the win64 and win32 trees just built, and its test.
echo "=== release"
release_start=$SECONDS
if bash scripts/release.sh; then
    results+=("release passed ($((SECONDS - release_start)) s)")
else
    results+=("release FAILED")
    failed=1
fi

echo "=== fuzz"
fuzz_start=$SECONDS
# Short runs beside the rest of the machine's work: only a hang counts as slow.
if bash scripts/fuzz.sh --smoke "${ZMS_FUZZ_SECONDS:-20}"; then
    results+=("fuzz passed ($((SECONDS - fuzz_start)) s)")
else
    results+=("fuzz FAILED")
    failed=1
fi

# The playground: the wasm preset's page and module (tests/browser/run.sh).
echo "=== playground"
playground_start=$SECONDS
if bash tests/browser/run.sh; then
    results+=("playground passed ($((SECONDS - playground_start)) s)")
else
    results+=("playground FAILED")
    failed=1
fi

summary=$(IFS=,; echo "${results[*]}")
if [[ $failed -eq 0 ]]; then
    echo "test.sh: all passed: ${summary//,/, } in $((SECONDS - start)) s"
else
    echo "test.sh: FAILED: ${summary//,/, } in $((SECONDS - start)) s"
fi
exit $failed
