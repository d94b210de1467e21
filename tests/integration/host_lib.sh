# Shared by the host_*_test.sh scripts: runs zms-host as a macro writer would
# and compares what it prints with the expected text written out in the test.
#
# A test script is run as   SCRIPT WORKDIR PLATFORM HOST-COMMAND...
#   PLATFORM       native, win64 or win32
#   HOST-COMMAND   zms-host; for a Windows build the emulator and zms-host.exe
#
# Texts in the scripts are UTF-8; zms-host speaks code page 932. Natively the
# arguments are converted before the host sees them; under wine the host takes
# them from the wide command line and converts them itself. Its output is
# converted back for the comparison (CP932 to UTF-8 is one to one, so nothing
# is lost).
#
# Under wine a message box stays until someone answers it: zms-host answers
# every box and prints it. Wine can only make windows with a display, so the
# Windows runs need one: without $DISPLAY the script runs itself again under
# xvfb-run. The wine prefix's desktop belongs to the display it was started
# with and outlives its programs for a few seconds, so the script first waits
# for the prefix's wine server to end (wineserver -w), and again at the end.

set -u
shopt -u patsub_replacement 2>/dev/null || true

host_work=$1
host_platform=$2
shift 2
host_command=("$@")

if [[ $host_platform != native && -z ${DISPLAY:-} && -z ${ZMS_HOST_TEST_XVFB:-} ]]; then
    WINEPREFIX=${WINEPREFIX:?the test sets WINEPREFIX} wineserver -w
    export ZMS_HOST_TEST_XVFB=1
    exec xvfb-run -a bash "$0" "$host_work" "$host_platform" "$@"
fi
if [[ -n ${ZMS_HOST_TEST_XVFB:-} ]]; then
    trap 'wineserver -w' EXIT
fi

rm -rf "$host_work"
mkdir -p "$host_work"
cd "$host_work" || exit 1
# Where zms-host lies, with VRInfo.dll beside it.
host_bundle=$(dirname "${host_command[-1]}")
failed=0

# The plug-in's two messages, and the one it shows when VRInfo.dll is missing.
readonly MSG_NOT_INSIDE='このマクロはゼントロからは起動できません。'
readonly MSG_NOT_RUNNING='ゼントロメール本体が起動してなければなりません。'
readonly MSG_NO_LIBRARY='VRInfo.dll を読み込めないため、検索できません。'

# How a message of the plug-in shows: natively its text on standard error,
# under wine the box as zms-host answered it.
message_line() {
    if [[ $host_platform == native ]]; then
        printf '%s\n' "$1"
    else
        printf 'message box: "%s" caption="エラー" owner=none buttons=OK\n' "$1"
    fi
}

# The expected text from standard input, with the placeholders
# @NOT_INSIDE@, @NOT_RUNNING@ and @NO_LIBRARY@ standing for message lines.
expected_text() {
    local text line
    text=$(cat; echo .)
    text=${text%.}
    line=$(message_line "$MSG_NOT_INSIDE")
    text=${text//@NOT_INSIDE@/$line}
    line=$(message_line "$MSG_NOT_RUNNING")
    text=${text//@NOT_RUNNING@/$line}
    line=$(message_line "$MSG_NO_LIBRARY")
    text=${text//@NO_LIBRARY@/$line}
    printf '%s' "$text"
}

# run_host NAME ARGS...: runs zms-host with a new profile directory NAME, or
# with the one an earlier run left when PROFILE_OF names that run; output in
# NAME.out, exit status in NAME.status.
run_host() {
    local name=$1 arg
    shift
    local args=()
    for arg in "$@"; do
        if [[ $host_platform == native ]]; then
            arg=$(printf '%s' "$arg" | iconv -f UTF-8 -t CP932; echo .)
            arg=${arg%.}
        fi
        args+=("$arg")
    done
    local profile=${PROFILE_OF:-$name}
    [[ -n ${PROFILE_OF:-} ]] || rm -rf "$profile"
    "${host_command[@]}" --profile-dir "$profile" "${args[@]}" > "$name.out" 2>&1
    echo $? > "$name.status"
}

# The output as the tests compare it: UTF-8, without CR, without zms-host's
# setup lines, and with the main window's handle (which the host prints at
# the start) written as MAINWND.
normalized_output() {
    local name=$1 window
    window=$(sed -n 's/^zms-host: main window \([0-9-]*\)\r\?$/\1/p' "$name.out")
    tr -d '\r' < "$name.out" | grep -av '^zms-host: ' |
        sed "s/^  host: MainWnd() = ${window:-NONE}\$/  host: MainWnd() = MAINWND/" |
        iconv -f CP932 -t UTF-8 2>&1 | fold_profile_messages
}

# A message that the profile file could not be written names the file and
# Windows' reason (in wine's words, or natively the POSIX layer's) under its
# text: it shows as one line "profile message: TEXT", under wine only for a
# box owned by the main window.
fold_profile_messages() {
    awk '
    /^message box: ".*\\x0D\\x0A\\x0D\\x0A.*ZentoroMailSearch\.ini\\x0D\\x0A.*" caption="[^"]*" owner=main buttons=OK$/ {
        sub(/^message box: "/, ""); sub(/\\x0D.*/, ""); print "profile message: " $0; next
    }
    /できませんでした。$/ {
        text = $0; getline blank; getline path; getline reason
        if (blank == "" && path ~ /ZentoroMailSearch\.ini$/) { print "profile message: " text; next }
        print text; print blank; print path; print reason; next
    }
    { print }'
}

report() {  # NAME OK?
    if [[ $2 == 0 ]]; then echo "ok   $1"; else echo "FAIL $1"; failed=1; fi
}

# check NAME ARGS... <<'EOF' ... EOF: zms-host exits with 0 and prints the
# expected text.
check() {
    local name=$1
    shift
    expected_text > "$name.expected"
    run_host "$name" "$@"
    normalized_output "$name" > "$name.actual"
    local status
    status=$(cat "$name.status")
    if [[ $status == 0 ]] && cmp -s "$name.expected" "$name.actual"; then
        report "$name" 0
    else
        report "$name" 1
        echo "     exit status $status; expected (-) and printed (+):"
        diff -u "$name.expected" "$name.actual" | tail -n +3 | sed 's/^/     /'
    fi
}

# check_file NAME PATH...: each PATH exists (a file the host run made).
check_files() {
    local name=$1 path missing=()
    shift
    for path in "$@"; do [[ -f $path ]] || missing+=("$path"); done
    if [[ ${#missing[@]} == 0 ]]; then report "$name" 0; else report "$name" 1; echo "     missing: ${missing[*]}"; fi
}

finish() {
    exit $failed
}
