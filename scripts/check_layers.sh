#!/usr/bin/env bash
# The product's folders include only what lies below them: text/ nothing of
# ours, query/ and platform/ only text/, settings/ platform/, dialog/ settings/ and
# platform/, plugin/ any of them. tools/ and tests/ sit on top. Fails, naming
# each include that points up (or sideways), when one does. The build enforces
# the same through the include directories; this says it in one line each.
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A allowed=(
    [text]="text"
    [platform]="platform text"
    [query]="query text"
    [settings]="settings platform text"
    [dialog]="dialog settings platform text"
    [plugin]="plugin dialog settings query platform text"
)
failed=0
for folder in "${!allowed[@]}"; do
    while IFS= read -r hit; do
        file=${hit%%:*}
        used=$(sed -n 's/.*#include "\([^/"]*\)\/.*/\1/p' <<< "${hit#*:}")
        [[ -n $used ]] || continue
        if [[ " ${allowed[$folder]} " != *" $used "* ]]; then
            echo "check_layers: $file includes $used/, above $folder/: ${hit#*:}"
            failed=1
        fi
    done < <(grep -rn --include='*.cpp' --include='*.h' '^#include "' "$folder")
done
[[ $failed == 0 ]] && echo "check_layers: every include of the product points down"
exit $failed
