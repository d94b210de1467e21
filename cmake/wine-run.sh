#!/usr/bin/env bash
# Runs a Windows program of a cross build under wine:
#   wine-run.sh --prefix DIR --arch win64|win32 [PROGRAM [ARGS...]]
# The prefix lives in the build tree and is created on first use (slow, once);
# without a PROGRAM the script only makes sure the prefix exists.
set -euo pipefail

prefix=""
arch=""
while [[ $# -gt 0 ]]; do
    case "$1" in
        --prefix) prefix="$2"; shift 2 ;;
        --arch) arch="$2"; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
if [[ -z "$prefix" || -z "$arch" ]]; then
    echo "usage: $0 --prefix DIR --arch win64|win32 [PROGRAM [ARGS...]]" >&2
    exit 2
fi

export WINEPREFIX="$(realpath -m "$prefix")"
export WINEARCH="$arch"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: their installers would ask (and have nothing to download).
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The plug-in's text is code page 932; wine takes its ANSI code page from the
# locale, so run it as a Japanese system would.
if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LC_ALL=ja_JP.UTF-8
else
    echo "wine-run.sh: locale ja_JP.UTF-8 missing (scripts/setup.sh makes it);" \
        "wine runs without code page 932" >&2
fi

# Debian's `wine` starts every program through the 32-bit loader when wine32
# is installed, which a kernel without 32-bit support cannot run: a 64-bit
# prefix is run by the 64-bit loader itself.
wine=(wine)
if [[ $arch == win64 && -x /usr/lib/wine/wine64 ]]; then
    export WINELOADER=/usr/lib/wine/wine64
    wine=("$WINELOADER")
fi

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        # Another run may have made it while this one waited for the lock.
        if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
            echo "wine-run.sh: creating $arch prefix $WINEPREFIX" >&2
            "${wine[@]}" wineboot -i >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi

if [[ $# -eq 0 ]]; then
    exit 0
fi
exec "${wine[@]}" "$@"
