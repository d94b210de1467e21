#!/usr/bin/env bash
# The release zip as a user gets it: exactly the files it should hold; each
# DLL built for its architecture, exporting `search` and importing nothing but
# Windows' own DLLs (no mingw runtime DLL beside it); the version resource
# saying VERSION; the texts as they are in docs/; the licence notices; and
# both DLLs, taken from the unpacked zip, loaded by the reference host under
# wine64 and wine32 and running a search, and zms-translate.exe running.
# usage: release_test.sh ZIP VERSION WIN64-BUILD WIN32-BUILD WORKDIR
#   WIN64-BUILD, WIN32-BUILD: build trees holding tools/zms-host (zms-host.exe
#   and the stand-in VRInfo.dll) and the wine prefix of their tests.
set -u
zip_file=$(realpath "$1")
version=$2
build64=$(realpath "$3")
build32=$(realpath "$4")
work=$(realpath -m "$5")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Wine makes windows only on a display: without one, the script runs itself
# again on a virtual one (the search dialog needs it).
if [[ -z ${DISPLAY:-} && -z ${ZMS_RELEASE_TEST_XVFB:-} ]]; then
    export ZMS_RELEASE_TEST_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

failed=0
ok() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failed=1; }

rm -rf "$work"
mkdir -p "$work/unpacked"
if unzip -q "$zip_file" -d "$work/unpacked"; then
    ok "unzip $(basename "$zip_file")"
else
    fail "unzip $zip_file"
fi
unpacked=$work/unpacked

[[ $(basename "$zip_file") == "ZentoroMailSearch-$version.zip" ]] ||
    fail "the zip is named $(basename "$zip_file"), not ZentoroMailSearch-$version.zip"

expected_files="README-user.txt
ZentoroMailSearch.txt
ZentoroMailSearch32.dll
ZentoroMailSearch64.dll
licenses/GCC.txt
licenses/GPL-3.txt
licenses/emscripten.txt
licenses/mingw-w64.txt
playground/examples.js
playground/index.html
playground/playground.css
playground/playground.js
playground/translator.js
zms-translate.exe"
files=$(unzip -Z1 "$zip_file" | LC_ALL=C sort)
if [[ $files == "$expected_files" ]]; then
    ok "the zip holds exactly the $(wc -l <<< "$expected_files") files"
else
    fail "the zip's files differ"
    diff <(echo "$expected_files") <(echo "$files")
fi

# Windows' own DLLs, which every Windows has; anything else would have to be
# shipped beside the plug-in.
readonly system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|IMM32|SHELL32|COMCTL32|msvcrt)\.dll$'

check_binary() {  # file objdump pe-format
    local file=$1 objdump=$2 format=$3 name
    name=$(basename "$file")
    if ! "$objdump" -p "$file" > "$work/$name.headers" 2> "$work/$name.err"; then
        fail "$name: objdump cannot read it"
        return
    fi
    if grep -q "file format $format\$" "$work/$name.headers"; then
        ok "$name is $format"
    else
        fail "$name is not $format: $(grep -m1 'file format' "$work/$name.headers")"
    fi
    local imports bad
    imports=$(sed -n 's/^\tDLL Name: //p' "$work/$name.headers" | sort -u)
    bad=$(grep -viE "$system_dlls" <<< "$imports")
    if [[ -n $imports && -z $bad ]]; then
        ok "$name imports only system DLLs ($(tr '\n' ' ' <<< "$imports"))"
    else
        fail "$name imports $(tr '\n' ' ' <<< "${bad:-nothing}")"
    fi
}

# The export table's name entries: "[ ordinal] name" lines after its header.
exports() {  # headers-file
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' "$1" | sed -n 's/^\t\[ *[0-9]*\] //p'
}

check_version() {  # dll windres
    local dll=$1 windres=$2 name rc
    name=$(basename "$dll")
    rc=$("$windres" --input-format=coff -O rc -i "$dll" 2> /dev/null | sed -n '/VERSIONINFO/,/^END/p')
    local v=${version//./, }
    local wanted=(
        " FILEVERSION $v"
        " PRODUCTVERSION $v"
        " FILETYPE 0x2"
        "      VALUE \"FileVersion\", \"$version\""
        "      VALUE \"ProductVersion\", \"$version\""
        "      VALUE \"OriginalFilename\", \"$name\""
    )
    local line missing=""
    for line in "${wanted[@]}"; do
        grep -qxF "$line" <<< "$rc" || missing+="[${line# }] "
    done
    if [[ -n $rc && -z $missing ]]; then
        ok "$name: version resource $version, a DLL's"
    else
        fail "$name: version resource lacks $missing"
    fi
}

for arch in 64 32; do
    dll=$unpacked/ZentoroMailSearch$arch.dll
    if [[ $arch == 64 ]]; then
        tools=x86_64-w64-mingw32 format=pei-x86-64
    else
        tools=i686-w64-mingw32 format=pei-i386
    fi
    [[ -f $dll ]] || { fail "no ZentoroMailSearch$arch.dll"; continue; }
    check_binary "$dll" "$tools-objdump" "$format"
    if [[ $(exports "$work/$(basename "$dll").headers") == search ]]; then
        ok "$(basename "$dll") exports search, and only it"
    else
        fail "$(basename "$dll") exports: $(exports "$work/$(basename "$dll").headers" | head -5 | tr '\n' ' ')..."
    fi
    check_version "$dll" "$tools-windres"
done
[[ -f $unpacked/zms-translate.exe ]] && check_binary "$unpacked/zms-translate.exe" x86_64-w64-mingw32-objdump pei-x86-64

for text in ZentoroMailSearch.txt README-user.txt; do
    if cmp -s "$unpacked/$text" "$root/docs/$text" &&
        head -n 1 "$unpacked/$text" | grep -aq "^ZentoroMailSearch $version\\b"; then
        ok "$text is docs/$text and names $version"
    else
        fail "$text is not docs/$text, or does not name $version in its first line"
    fi
done

licence_has() {  # file text
    if grep -qF "$2" "$unpacked/licenses/$1" 2> /dev/null; then
        ok "licenses/$1: $2"
    else
        fail "licenses/$1 lacks \"$2\""
    fi
}
licence_has GCC.txt "GCC RUNTIME LIBRARY EXCEPTION"
licence_has GCC.txt "libstdc++-v3"
licence_has GPL-3.txt "GNU GENERAL PUBLIC LICENSE"
licence_has mingw-w64.txt "mingw-w64-libraries/winpthreads/*"
licence_has mingw-w64.txt "Files: mingw-w64-crt/"
# The playground's module holds emscripten's runtime (its C and C++ libraries).
licence_has emscripten.txt "The Emscripten Authors"
licence_has emscripten.txt "system/lib/libc/musl/*"

# The page's own files as they are in docs/playground/ (its module and
# examples.js are built: the playground's test runs them).
for file in index.html playground.js playground.css; do
    cmp -s "$unpacked/playground/$file" "$root/docs/playground/$file" ||
        fail "playground/$file is not docs/playground/$file"
done

# What is linked in, from the symbols of the three binaries (nm -C): a library
# whose code is there needs its notice in licenses/, and a notice in licenses/
# needs its library there. Rows: notice file, library, a symbol of its code.
# Boost.Regex is only the tests' reference, so its code must not be there.
while read -r notice library pattern; do
    for binary in ZentoroMailSearch64.dll ZentoroMailSearch32.dll zms-translate.exe; do
        nm=x86_64-w64-mingw32-nm
        [[ $binary == *32.dll ]] && nm=i686-w64-mingw32-nm
        inside=no
        "$nm" -C "$unpacked/$binary" 2> /dev/null | grep -qE "$pattern" && inside=yes
        there=no
        [[ $notice != none && -f $unpacked/licenses/$notice ]] && there=yes
        if [[ $notice == none && $inside == no ]]; then
            ok "$binary holds no $library"
        elif [[ $inside == yes && $there == yes ]]; then
            ok "$binary holds $library, and licenses/$notice is its notice"
        else
            fail "$binary: $library inside: $inside, its notice ${notice/#none/(none)} in licenses/: $there"
        fi
    done
done << 'ROWS'
mingw-w64.txt winpthreads [[:space:]]_?pthread_mutex_lock$
GCC.txt libstdc++ [[:space:]]std::
none Boost.Regex boost::
ROWS

# Under wine: the reference host of each build loads the unpacked DLL (and its
# own stand-in VRInfo.dll) and runs one scripted search.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
expected_pack='SetFindPack("(\"meeting\",target=subject)and(\"sales\",target=from),subfolder=0,hilight=1")'
for arch in 64 32; do
    build=$build64
    [[ $arch == 32 ]] && build=$build32
    dll=$unpacked/ZentoroMailSearch$arch.dll
    run=("$root/cmake/wine-run.sh" --prefix "$build/wineprefix" --arch "win$arch")
    out=$work/host$arch.out
    "${run[@]}" "$build/tools/zms-host/zms-host.exe" --plugin "$(windows_path "$dll")" \
        --macro '' --type 'subject:meeting from:sales' --scope 1003 --ok > "$out" 2>&1
    status=$?
    if [[ $status -eq 0 ]] && grep -qF "zms-host: plug-in $(windows_path "$dll")" "$out" &&
        grep -qF "host: $expected_pack" "$out" && grep -q '^search 1 returned 0' "$out"; then
        ok "wine$arch: zms-host loads ZentoroMailSearch$arch.dll from the zip and searches"
    else
        fail "wine$arch: zms-host with ZentoroMailSearch$arch.dll (status $status)"
        iconv -f CP932 -t UTF-8 "$out" | head -20
    fi
    WINEPREFIX=$build/wineprefix wineserver -w 2> /dev/null
done

out=$("$root/cmake/wine-run.sh" --prefix "$build64/wineprefix" --arch win64 \
    "$unpacked/zms-translate.exe" 'subject:meeting from:sales' 2>&1 | tr -d '\r')
if [[ $out == '("meeting",target=subject)and("sales",target=from),subfolder=0,hilight=1' ]]; then
    ok "wine64: zms-translate.exe from the zip translates"
else
    fail "wine64: zms-translate.exe printed: $out"
fi
WINEPREFIX=$build64/wineprefix wineserver -w 2> /dev/null

exit $failed
