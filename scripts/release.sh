#!/usr/bin/env bash
# Builds the deliverables of the win64 and win32 presets and writes
# build/release/ZentoroMailSearch-<version>.zip, the version being project()'s
# in CMakeLists.txt as CMake configured it. The zip holds, at its top:
#   ZentoroMailSearch64.dll  ZentoroMailSearch32.dll  zms-translate.exe (64-bit)
#   ZentoroMailSearch.txt  README-user.txt  licenses/
#   playground/ (the page of the wasm preset: open playground/index.html)
# Then tests/integration/release_test.sh checks the zip as it was written.
#
#   bash scripts/release.sh                    build trees build/win64, build/win32
#   bash scripts/release.sh --build-root DIR   DIR/win64, DIR/win32 and DIR/release
#   bash scripts/release.sh --no-test          the zip only
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

build_root=build
run_test=1
while [[ $# -gt 0 ]]; do
    case "$1" in
        --build-root) build_root=$2; shift 2 ;;
        --no-test) run_test=0; shift ;;
        *) echo "usage: $0 [--build-root DIR] [--no-test]" >&2; exit 2 ;;
    esac
done
build_root=$(realpath -m "$build_root")

bash scripts/setup.sh
if [[ -n $(git status --porcelain --untracked-files=no 2> /dev/null) ]]; then
    echo "release.sh: warning: the working tree has uncommitted changes, which the zip will hold" >&2
fi

# zms-host and the stand-in VRInfo.dll come along for the test's loading of
# the DLLs under wine; they are not shipped.
build() {  # preset targets...
    local preset=$1 dir
    shift
    dir=$(realpath -m "$build_root/$preset")  # a tree may be a link to another place
    echo "release.sh: building $preset in $dir"
    cmake --preset "$preset" -B "$dir" > /dev/null
    cmake --build "$dir" -j 2 --target "$@"
}
build win64 zms_plugin zms-translate zms-host-bundle
build win32 zms_plugin zms-host-bundle
build wasm zms_playground zms_playground_page

version_of() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_root/$1/CMakeCache.txt"
}
version=$(version_of win64)
if [[ -z $version || $version != "$(version_of win32)" ]]; then
    echo "release.sh: no version, or two different ones, in the build trees' caches" >&2
    exit 1
fi

name=ZentoroMailSearch-$version
out=$build_root/release
stage=$out/$name
zip_file=$out/$name.zip
rm -rf "$stage" "$zip_file"
mkdir -p "$stage/licenses"
cp "$build_root/win64/plugin/ZentoroMailSearch64.dll" \
    "$build_root/win32/plugin/ZentoroMailSearch32.dll" \
    "$build_root/win64/tools/zms-translate.exe" \
    docs/ZentoroMailSearch.txt docs/README-user.txt "$stage/"
cp docs/licenses/*.txt "$stage/licenses/"
mkdir -p "$stage/playground"
for file in index.html playground.js playground.css examples.js translator.js; do
    cp "$build_root/wasm/playground/$file" "$stage/playground/"
done

# The same inputs give the same zip: the files dated by the last commit, in
# UTC, listed in a fixed order, without the extra Unix fields.
stamp=$(git log -1 --format=%ct 2> /dev/null || date +%s)
find "$stage" -exec touch -h -d "@$stamp" {} +
(
    cd "$stage"
    find . -type f | LC_ALL=C sort | sed 's|^\./||' | TZ=UTC zip -q -X -9 "$zip_file" -@
)
echo "release.sh: wrote $zip_file"
unzip -l "$zip_file"

if [[ $run_test -eq 1 ]]; then
    bash tests/integration/release_test.sh "$zip_file" "$version" \
        "$build_root/win64" "$build_root/win32" "$out/test"
fi
