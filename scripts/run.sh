#!/usr/bin/env bash
# The main job: the reference host plays the mail program and runs a search
# through the 64-bit plug-in under wine, printing what the dialog showed and
# every call the plug-in made to the host (the find pack among them).
#   bash scripts/run.sh                  the demo search (subject:meeting from:sales)
#   bash scripts/run.sh 'from:someone'   another query
# With a display ($DISPLAY) the dialog is left to you; without one, the search
# runs scripted on a virtual display (Xvfb).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh

cmake --preset win64 > /dev/null
cmake --build --preset win64 --target zms-host-bundle
host_dir=build/win64/tools/zms-host
run=(cmake/wine-run.sh --prefix build/win64/wineprefix --arch win64 "$host_dir/zms-host.exe")

if [[ -n "${DISPLAY:-}" && $# -eq 0 ]]; then
    args=(--interactive --macro '')
else
    args=(--macro '' --type "${1:-subject:meeting from:sales}" --scope 1003 --ok --show-profile)
fi
# The host prints code page 932; the terminal reads UTF-8.
if [[ -n "${DISPLAY:-}" ]]; then
    "${run[@]}" "${args[@]}" | iconv -f CP932 -t UTF-8
else
    # The prefix's desktop belongs to the display it was started with and
    # outlives its programs for a few seconds: the run waits for the prefix's
    # wine server to end, before (a desktop on a display gone) and after (else
    # xvfb-run stops the display under it, and wine says "X connection to :99
    # broken").
    export WINEPREFIX=$PWD/build/win64/wineprefix
    wineserver -w
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash -c '"$@"; status=$?; wineserver -w; exit $status' run "${run[@]}" "${args[@]}" |
        iconv -f CP932 -t UTF-8
fi
