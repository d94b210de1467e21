#!/usr/bin/env bash
# Builds the native tools and translates a sample query into the find pack the
# mail program would receive.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh

query=${1:-'subject:meeting from:sales'}
cmake --preset native
if ! ninja -C build/native -t targets all | grep -q '^zms-translate:'; then
    echo "run.sh: this checkout has no zms-translate tool yet (tools/zms-translate);" \
        "scripts/test.sh builds and tests what there is." >&2
    exit 1
fi
cmake --build --preset native --target zms-translate
tool=build/native/tools/zms-translate/zms-translate
if [[ ! -x "$tool" ]]; then
    tool=$(find build/native/tools -type f -name zms-translate -perm -u+x | head -n 1)
fi
echo "zms-translate '$query':"
"$tool" "$query"
