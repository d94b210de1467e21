#!/usr/bin/env bash
# Builds the deliverables of the win64 and win32 presets and writes, in
# build/release/, the version being project()'s in CMakeLists.txt as CMake
# configured it:
#   ZentoroMailSearch-<version>.zip, holding at its top
#     ZentoroMailSearch64.dll  ZentoroMailSearch32.dll  zms-translate.exe (64-bit)
#     ZentoroMailSearch.txt  README-user.txt  LICENSE  licenses/
#     playground/ (the page of the wasm preset: open playground/index.html)
#     SHA256SUMS (of every other file)
#   ZentoroMailSearch-<version>-selftest.zip, the tests a user runs on their
#     own Windows: selftest.cmd, win64/ and win32/ (tests/selftest/selftest.cmd
#     says what they hold), LICENSE, licenses/, SHA256SUMS
#   SHA256SUMS, of the two zips
# Then tests/integration/release_test.sh checks them as they were written.
#
#   bash scripts/release.sh                    build trees build/win64, build/win32
#   bash scripts/release.sh --build-root DIR   DIR/win64, DIR/win32 and DIR/release
#   bash scripts/release.sh --no-test          the zips only
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

# zms-host and the stand-in VRInfo.dll come along for the self-test and for
# the test's loading of the DLLs under wine; they are not in the plug-in's zip.
build() {  # preset targets...
    local preset=$1 dir
    shift
    dir=$(realpath -m "$build_root/$preset")  # a tree may be a link to another place
    echo "release.sh: building $preset in $dir"
    cmake --preset "$preset" -B "$dir" > /dev/null
    cmake --build "$dir" -j 2 --target "$@"
}
selftest_programs=(zms_unit_tests zms_registry_calls_tests zms_host_tests zms_dialog_win32_tests)
build win64 zms_plugin zms-translate zms-host-bundle "${selftest_programs[@]}"
build win32 zms_plugin zms-host-bundle "${selftest_programs[@]}"
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
selftest=$out/$name-selftest
selftest_zip=$out/$name-selftest.zip
rm -rf "$stage" "$zip_file" "$selftest" "$selftest_zip" "$out/SHA256SUMS"

# make_zip STAGE ZIP: SHA256SUMS of the stage's files beside them (the form
# sha256sum -c reads), then the zip. The same inputs give the same zip: the
# files dated by the last commit, in UTC, listed in a fixed order, without the
# extra Unix fields.
stamp=$(git log -1 --format=%ct 2> /dev/null || date +%s)
make_zip() {
    (
        cd "$1"
        find . -type f ! -path ./SHA256SUMS | LC_ALL=C sort | sed 's|^\./||' |
            xargs -d '\n' sha256sum > SHA256SUMS
        find . -exec touch -h -d "@$stamp" {} +
        find . -type f | LC_ALL=C sort | sed 's|^\./||' | TZ=UTC zip -q -X -9 "$2" -@
    )
    echo "release.sh: wrote $2"
}

mkdir -p "$stage/licenses" "$stage/playground"
cp "$build_root/win64/plugin/ZentoroMailSearch64.dll" \
    "$build_root/win32/plugin/ZentoroMailSearch32.dll" \
    "$build_root/win64/tools/zms-translate.exe" \
    docs/ZentoroMailSearch.txt docs/README-user.txt LICENSE "$stage/"
cp docs/licenses/*.txt "$stage/licenses/"
for file in index.html playground.js playground.css examples.js translator.js; do
    cp "$build_root/wasm/playground/$file" "$stage/playground/"
done
make_zip "$stage" "$zip_file"
unzip -l "$zip_file"

# The self-test: per half, unit/ (no VRInfo.dll beside the unit tests, whose
# start-up cases look for none there) and host/ (zms-host's bundle, the
# tests that load its files). What the programs link has its notice.
mkdir -p "$selftest/licenses"
for arch in 64 32; do
    tree=$build_root/win$arch
    mkdir -p "$selftest/win$arch/unit" "$selftest/win$arch/host"
    cp "$tree/tests/unit/zms_unit_tests.exe" "$tree/tests/unit/zms_registry_calls_tests.exe" \
        "$selftest/win$arch/unit/"
    cp "$tree/tools/zms-host/zms-host.exe" "$tree/tools/zms-host/VRInfo.dll" \
        "$tree/plugin/ZentoroMailSearch$arch.dll" "$tree/tests/integration/zms_host_tests.exe" \
        "$tree/tests/integration/zms_dialog_win32_tests.exe" "$selftest/win$arch/host/"
done
# cmd reads a batch file with CR LF line ends.
sed "s/@VERSION@/$version/g; s/\$/\r/" tests/selftest/selftest.cmd > "$selftest/selftest.cmd"
cp LICENSE "$selftest/"
cp docs/licenses/GCC.txt docs/licenses/GPL-3.txt docs/licenses/mingw-w64.txt \
    tests/selftest/licenses/*.txt "$selftest/licenses/"
make_zip "$selftest" "$selftest_zip"

(cd "$out" && sha256sum "$name.zip" "$name-selftest.zip" > SHA256SUMS)
echo "release.sh: wrote $out/SHA256SUMS"
cat "$out/SHA256SUMS"

if [[ $run_test -eq 1 ]]; then
    bash tests/integration/release_test.sh "$zip_file" "$version" \
        "$build_root/win64" "$build_root/win32" "$out/test"
fi
