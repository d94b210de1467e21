#!/usr/bin/env bash
# Takes the README's picture of the playground: the page of the wasm preset,
# opened from disk in Debian's chromium, headless, with a query that shows
# its reasons. Writes docs/playground.png.
#   bash scripts/render_playground.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset wasm > /dev/null
cmake --build --preset wasm

# The query, URL-encoded: subject:会議 Subject:x subject:"週報|日報" to: "定例
query='subject:%E4%BC%9A%E8%AD%B0%20Subject:x%20subject:%22%E9%80%B1%E5%A0%B1%7C%E6%97%A5%E5%A0%B1%22%20to:%20%22%E5%AE%9A%E4%BE%8B'
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --disable-quic --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$profile" \
    --hide-scrollbars --window-size=1000,860 --virtual-time-budget=5000 \
    --screenshot="$profile/playground.png" \
    "file://$root/build/wasm/playground/index.html#q=$query" 2> /dev/null
if [[ ! -s $profile/playground.png ]]; then
    echo "render_playground.sh: no picture was taken" >&2
    exit 1
fi
mv "$profile/playground.png" docs/playground.png
echo "render_playground.sh: wrote docs/playground.png"
