#!/usr/bin/env bash
# Renders the search dialog as the 64-bit build shows it under wine: the real
# template 101, the real dialog procedure and wine's dialog manager, on an Xvfb
# display, with a little state to show. Writes docs/search-dialog.png.
#   scripts/render_dialog.sh [BUILD_DIR]     (default build/win64)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="$(realpath -m "${1:-build/win64}")"

bash scripts/setup.sh
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZMS_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
fi
cmake --build "$build" --target zms_dialog_render -j 2

# A prefix of its own: without a window manager, wine leaves the caption and
# the frame undrawn unless its windows are unmanaged and undecorated, which the
# tests' prefix need not be.
prefix="$build/wineprefix-render"
wine_run() { "$root/cmake/wine-run.sh" --prefix "$prefix" --arch win64 "$@"; }
if ! grep -qs '"Decorated"="N"' "$prefix/user.reg"; then
    for value in Managed Decorated; do
        wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" /d N /f >/dev/null 2>&1
    done
    WINEPREFIX="$prefix" wineserver -w  # the registry reaches the disk
fi
# The caption's close box is a glyph of wine's Marlett font (fonts-wine).
# Debian's wine does not take its fonts from /usr/share/wine/fonts by itself,
# and without Marlett the box shows the glyph's letter "r" in another font:
# the font goes into the prefix's own Fonts folder.
marlett=/usr/share/wine/fonts/marlett.ttf
if [[ ! -f $marlett ]]; then
    echo "render_dialog.sh: $marlett missing (fonts-wine; scripts/setup.sh installs it)" >&2
    exit 1
fi
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -u "$marlett" "$prefix/drive_c/windows/Fonts/marlett.ttf"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(
    cd "$out"
    xvfb-run -a -s "-screen 0 1024x768x24" \
        "$root/cmake/wine-run.sh" --prefix "$prefix" --arch win64 \
        "$build/tests/integration/zms_dialog_render.exe" search-dialog.png 2>&1 | grep -v '^X connection' || true
)
if [[ ! -s "$out/search-dialog.png" ]]; then
    echo "render_dialog.sh: no picture was taken" >&2
    exit 1
fi
mkdir -p docs
mv "$out/search-dialog.png" docs/search-dialog.png
echo "render_dialog.sh: wrote docs/search-dialog.png"
