#!/usr/bin/env bash
# The release zip as a user gets it: exactly the files it should hold; each
# DLL built for its architecture, exporting `search` and importing nothing but
# Windows' own DLLs (no mingw runtime DLL beside it); the version resource
# saying VERSION and our copyright; the texts as they are in docs/; LICENSE
# and the licence notices; SHA256SUMS inside the zip and beside it; both
# DLLs, taken from the unpacked zip, loaded by the reference host under wine64
# and wine32 and running a search, and zms-translate.exe running. The
# self-test zip beside it: its files and notices, and its selftest.cmd run
# under wine64 and wine32, once as it is and once with programs taken away.
# Last, the shipped binaries built again from a copy of the sources in other
# folders: the same bytes.
# usage: release_test.sh ZIP VERSION WIN64-BUILD WIN32-BUILD WORKDIR
#   WIN64-BUILD, WIN32-BUILD: build trees holding tools/zms-host (zms-host.exe
#   and the stand-in VRInfo.dll) and the wine prefix of their tests.
#   The self-test zip and SHA256SUMS are looked for beside ZIP.
set -u
zip_file=$(realpath "$1")
selftest_zip=${zip_file%.zip}-selftest.zip
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

# Wine runs 32-bit programs only where the kernel does (scripts/test.sh).
wine32=yes
/usr/lib/wine/wine --version > /dev/null 2>&1 || wine32=no
archs=(64 32)
if [[ $wine32 == no ]]; then
    archs=(64)
    echo "skip wine32: this machine cannot run 32-bit programs"
fi

rm -rf "$work"
mkdir -p "$work/unpacked" "$work/selftest"
unpack() {  # zip dir
    if unzip -q "$1" -d "$work/$2"; then
        ok "unzip $(basename "$1")"
    else
        fail "unzip $1"
    fi
}
unpack "$zip_file" unpacked
unpack "$selftest_zip" selftest
unpacked=$work/unpacked
selftest=$work/selftest

[[ $(basename "$zip_file") == "ZentoroMailSearch-$version.zip" ]] ||
    fail "the zip is named $(basename "$zip_file"), not ZentoroMailSearch-$version.zip"

expected_files="LICENSE
README-user.txt
SHA256SUMS
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
check_files() {  # zip expected-list
    local files
    files=$(unzip -Z1 "$1" | LC_ALL=C sort)
    if [[ $files == "$2" ]]; then
        ok "$(basename "$1") holds exactly the $(wc -l <<< "$2") files"
    else
        fail "$(basename "$1")'s files differ"
        diff <(echo "$2") <(echo "$files")
    fi
}
check_files "$zip_file" "$expected_files"
selftest_files="LICENSE
SHA256SUMS
licenses/Boost.txt
licenses/GCC.txt
licenses/GPL-3.txt
licenses/GoogleTest.txt
licenses/mingw-w64.txt
selftest.cmd"
for arch in 32 64; do
    selftest_files+="
win$arch/host/VRInfo.dll
win$arch/host/ZentoroMailSearch$arch.dll
win$arch/host/zms-host.exe
win$arch/host/zms_dialog_win32_tests.exe
win$arch/host/zms_host_tests.exe
win$arch/unit/zms_registry_calls_tests.exe
win$arch/unit/zms_unit_tests.exe"
done
check_files "$selftest_zip" "$selftest_files"

# SHA256SUMS: inside each zip of every other file, beside them of the zips.
check_sums() {  # dir what names...
    local dir=$1 what=$2 listed
    shift 2
    listed=$(sed 's/^[0-9a-f]\{64\}  //' "$dir/SHA256SUMS" 2> /dev/null)
    if [[ $listed == "$(printf '%s\n' "$@")" ]] &&
        (cd "$dir" && sha256sum -c --quiet --strict SHA256SUMS); then
        ok "sha256sum -c: the SHA256SUMS $what"
    else
        fail "the SHA256SUMS $what: not every file, or not sha256sum -c clean"
    fi
}
check_sums "$unpacked" "in $(basename "$zip_file")" $(grep -vx SHA256SUMS <<< "$expected_files")
check_sums "$selftest" "in $(basename "$selftest_zip")" $(grep -vx SHA256SUMS <<< "$selftest_files")
check_sums "$(dirname "$zip_file")" "beside the zips" \
    "$(basename "$zip_file")" "$(basename "$selftest_zip")"

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
        "      VALUE \"LegalCopyright\", \"$copyright\""
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

copyright=$(grep -m1 '^Copyright (c) ' "$root/LICENSE")
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

for zip_dir in "$unpacked" "$selftest"; do
    cmp -s "$zip_dir/LICENSE" "$root/LICENSE" ||
        fail "$(basename "$zip_dir")/LICENSE is not LICENSE"
done
for arch in 64 32; do
    cmp -s "$selftest/win$arch/host/ZentoroMailSearch$arch.dll" \
        "$unpacked/ZentoroMailSearch$arch.dll" ||
        fail "the self-test's ZentoroMailSearch$arch.dll is not the zip's"
done

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

# What is linked in, from the symbols of a zip's binaries (nm -C): a library
# whose code is in one of them needs its notice in licenses/, and a notice in
# licenses/ needs its library there. Rows on standard input: notice file
# (none: the library must not be there), library, a symbol of its code.
# Boost.Regex is only the tests' reference, so the plug-in's zip must not hold it.
mkdir -p "$work/symbols"
check_notices() {  # dir binary...
    local dir=$1 notice library pattern binary symbols holders there nm
    shift
    for binary in "$@"; do
        symbols=$work/symbols/$(basename "$dir")-${binary//\//-}
        [[ -f $symbols ]] && continue
        nm=x86_64-w64-mingw32-nm
        [[ $binary == *32.dll || $binary == win32/* ]] && nm=i686-w64-mingw32-nm
        "$nm" -C "$dir/$binary" > "$symbols" 2> /dev/null
    done
    while read -r notice library pattern; do
        holders=""
        for binary in "$@"; do
            symbols=$work/symbols/$(basename "$dir")-${binary//\//-}
            grep -qE "$pattern" "$symbols" && holders+=" $binary"
        done
        there=no
        [[ $notice != none && -f $dir/licenses/$notice ]] && there=yes
        if [[ $notice == none && -z $holders ]]; then
            ok "$(basename "$dir"): no binary holds $library"
        elif [[ -n $holders && $there == yes ]]; then
            ok "$(basename "$dir"): $library in$holders; licenses/$notice is its notice"
        else
            fail "$(basename "$dir"): $library in:${holders:- none};" \
                "its notice ${notice/#none/(none)} in licenses/: $there"
        fi
    done
}
runtime_rows='mingw-w64.txt winpthreads [[:space:]]_?pthread_mutex_lock$
GCC.txt libstdc++ [[:space:]]std::'
check_notices "$unpacked" ZentoroMailSearch{64,32}.dll zms-translate.exe <<< "$runtime_rows
none Boost.Regex boost::"
check_notices "$selftest" $(grep -E '\.(exe|dll)$' <<< "$selftest_files") <<< "$runtime_rows
GoogleTest.txt GoogleTest [[:space:]]testing::
Boost.txt Boost.Regex boost::"

# Under wine: the reference host of each build loads the unpacked DLL (and its
# own stand-in VRInfo.dll) and runs one scripted search.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
expected_pack='SetFindPack("(\"meeting\",target=subject)and(\"sales\",target=from),subfolder=0,hilight=1")'
for arch in "${archs[@]}"; do
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

# The self-test under wine, each half in its own build's prefix: selftest.cmd
# ends with its count, the same line ends selftest-report.txt. Then a copy
# with programs taken away (two unit-test programs, the dialog's tests and
# VRInfo.dll) must count them as failed, name them, and fail.
run_selftest() {  # dir arch out
    local build=$build64
    [[ $2 == 32 ]] && build=$build32
    "$root/cmake/wine-run.sh" --prefix "$build/wineprefix" --arch "win$2" \
        cmd /c "$(windows_path "$1/selftest.cmd")" "win$2" 2>&1 | iconv -f CP932 -t UTF-8 |
        tr -d '\r' > "$3"
    local status=${PIPESTATUS[0]}
    WINEPREFIX=$build/wineprefix wineserver -w 2> /dev/null
    return "$status"
}
report_count() { tr -d '\r' < "$1/selftest-report.txt" | tail -1; }
# The user's own values, as the mail program and the editor keep them. Wine's
# registry files hold each key's last-write time on its header line and the
# next: the self-test, killed after 20 s and then whole, never writes those
# keys, writes nothing in the prefix's drive C: and leaves no scratch key.
user_values=('HKCU\Software\Orlemco\Vorenda\Config|VorendaDir|C:\Vorenda\'
    'HKCU\Software\Orlemco\Zentoro\Env|MacroPath|C:\Macros'
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Zentoro|InstallLocation|C:\Zentoro')
user_key_times() {  # prefix
    grep -ahA1 -E '^\[Software\\\\(Orlemco\\\\(Vorenda\\\\Config|Zentoro\\\\Env)|Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Zentoro)\]' \
        "$1/user.reg" "$1/system.reg"
}
for arch in "${archs[@]}"; do
    build=$build64
    [[ $arch == 32 ]] && build=$build32
    wine_run=("$root/cmake/wine-run.sh" --prefix "$build/wineprefix" --arch "win$arch")
    for value in "${user_values[@]}"; do
        IFS='|' read -r key name data <<< "$value"
        "${wine_run[@]}" reg add "$key" /v "$name" /d "$data" /f > /dev/null 2>&1
    done
    WINEPREFIX=$build/wineprefix wineserver -w 2> /dev/null
    times_before=$(user_key_times "$build/wineprefix")
    marker=$work/selftest$arch.start
    touch "$marker"
    sleep 1  # a file written in the same second as the marker counts too
    # The wine processes it leaves go with the wine server (--foreground: only
    # the command is killed, so that no shell here reports it).
    timeout --foreground -s KILL 20 "${wine_run[@]}" cmd /c "$(windows_path "$selftest/selftest.cmd")" \
        "win$arch" > "$work/selftest$arch-killed.out" 2>&1
    WINEPREFIX=$build/wineprefix wineserver -k 2> /dev/null
    WINEPREFIX=$build/wineprefix wineserver -w 2> /dev/null

    out=$work/selftest$arch.out
    run_selftest "$selftest" "$arch" "$out"
    status=$?
    changed=$(find "$build/wineprefix/drive_c" -newer "$marker" | head -5)
    if [[ $(user_key_times "$build/wineprefix") == "$times_before" && $times_before == *Zentoro* &&
        -z $changed ]] &&
        ! "${wine_run[@]}" reg query 'HKCU\Software\ZentoroMailSearch selftest' > /dev/null 2>&1; then
        ok "wine$arch: selftest.cmd, killed after 20 s and whole: the user's keys unwritten, nothing written outside its folder"
    else
        fail "wine$arch: selftest.cmd changed what is not its own: ${changed:-the registry}"
    fi
    for value in "${user_values[@]}"; do
        IFS='|' read -r key name data <<< "$value"
        "${wine_run[@]}" reg delete "$key" /f > /dev/null 2>&1
    done
    WINEPREFIX=$build/wineprefix wineserver -w 2> /dev/null
    count=$(grep . "$out" | tail -1)
    skipped="skipped: win$arch\\host\\zms_dialog_win32_tests.exe: Win32Dialog.OptionCloses"
    if [[ $status -eq 0 && $count =~ ^[1-9][0-9]*\ passed,\ 0\ failed$ &&
        $(report_count "$selftest") == "$count" ]] &&
        grep -q '^Windows: ' "$selftest/selftest-report.txt" &&
        tr -d '\r' < "$selftest/selftest-report.txt" | grep -qF "$skipped"; then
        ok "wine$arch: selftest.cmd win$arch: $count"
    else
        fail "wine$arch: selftest.cmd win$arch (status $status): ${count:-nothing}"
        tail -20 "$out"
    fi
done
broken=$work/selftest-broken
cp -r "$selftest" "$broken"
rm "$broken/win64/unit/zms_unit_tests.exe" "$broken/win64/unit/zms_registry_calls_tests.exe" \
    "$broken/win64/host/zms_dialog_win32_tests.exe" "$broken/win64/host/VRInfo.dll"
run_selftest "$broken" 64 "$work/selftest-broken.out"
status=$?
count=$(grep . "$work/selftest-broken.out" | tail -1)
report=$(tr -d '\r' < "$broken/selftest-report.txt")
if [[ $status -ne 0 && $count =~ ^[0-9]+\ passed,\ ([0-9]+)\ failed$ ]] &&
    ((BASH_REMATCH[1] >= 5)) && [[ $(report_count "$broken") == "$count" ]] &&
    grep -q '^failed: win64\\unit\\zms_unit_tests.exe: did not finish' <<< "$report" &&
    grep -q '^failed: win64\\host\\zms_host_tests.exe: StandInTest' <<< "$report" &&
    grep -q '^failed: win64\\host\\zms-host.exe: a search' <<< "$report"; then
    ok "wine64: selftest.cmd counts and names what fails: $count"
else
    fail "wine64: selftest.cmd with programs taken away (status $status): ${count:-nothing}"
    echo "$report"
fi

# Started from a folder whose name holds "!" (which the script's delayed
# expansion would take out of a path), selftest.cmd runs nothing, says why and
# exits with 2: nothing in its folder is written or deleted.
bang=$work/self!test
cp -r "$selftest" "$bang"
rm -rf "$bang/logs" "$bang/temp" "$bang/selftest-report.txt"
listing=$(cd "$bang" && find . | sort)
"$root/cmake/wine-run.sh" --prefix "$build64/wineprefix" --arch win64 \
    cmd /c "$(windows_path "$bang/selftest.cmd")" win64 > "$work/selftest-bang.out" 2>&1
status=$?
WINEPREFIX=$build64/wineprefix wineserver -w 2> /dev/null
if [[ $status -eq 2 && $(cd "$bang" && find . | sort) == "$listing" ]] &&
    grep -q '"!"' "$work/selftest-bang.out"; then
    ok "wine64: selftest.cmd in a folder named with ! runs nothing and says why"
else
    fail "wine64: selftest.cmd in a folder named with ! (status $status)"
    cat "$work/selftest-bang.out"
fi

# The shipped binaries again, from a copy of the working tree in another
# folder built in its own trees: byte for byte the zip's.
rebuild=$work/rebuild
mkdir -p "$rebuild"
tar -C "$root" -c --exclude=./build --exclude=./.git --exclude=./tests/browser/node_modules . |
    tar -C "$rebuild" -x
if (
    cd "$rebuild" &&
        cmake --preset win64 && cmake --build --preset win64 --target zms_plugin zms-translate &&
        cmake --preset win32 && cmake --build --preset win32 --target zms_plugin
) > "$work/rebuild.log" 2>&1; then
    for binary in win64/plugin/ZentoroMailSearch64.dll win64/tools/zms-translate.exe \
        win32/plugin/ZentoroMailSearch32.dll; do
        shipped=$unpacked/$(basename "$binary")
        if cmp -s "$shipped" "$rebuild/build/$binary"; then
            size=$(stat -c %s "$shipped")
            sum=$(sha256sum < "$shipped" | cut -c1-64)
            ok "built again elsewhere, the same: $(basename "$binary"), $size bytes, SHA-256 $sum"
        else
            fail "built again elsewhere, $(basename "$binary") differs in $(cmp -l \
                "$shipped" "$rebuild/build/$binary" | wc -l) bytes"
        fi
    done
else
    fail "the second build (log: $work/rebuild.log)"
fi

exit $failed
