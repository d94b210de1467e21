#!/usr/bin/env bash
# The playground's tests (the stage "playground" of scripts/test.sh): builds the
# page (preset wasm) and, natively, zms-translate and zms_oracle_dump; installs
# the browser driver from npm as package-lock.json pins it; then compares the
# page's module with the reference reading of the rules under node, and drives
# the page in Debian's chromium, headless, opened from disk.
#   bash tests/browser/run.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"

cmake --preset wasm > /dev/null
cmake --build --preset wasm
cmake --preset native > /dev/null
cmake --build --preset native --target zms-translate zms_oracle_dump
(cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)

work=build/wasm/browser-test
rm -rf "$work"
mkdir -p "$work"
build/native/tests/unit/zms_oracle_dump "$work/oracle.bin"
failed=0
node tests/browser/oracle.js build/wasm/playground/translator.js "$work/oracle.bin" || failed=1
node tests/browser/playground_test.js build/wasm/playground docs/ZentoroMailSearch.txt \
    build/native/tools/zms-translate || failed=1
exit $failed
