#!/usr/bin/env bash
# "help:" starts the editor with the help text, through the real process start
# of each platform: a stand-in editor (Zentoro.exe) records how it was called.
# The help text in the macro directory, else the install location; a second
# "help:" in the same process starts the same command line again.
# usage: host_help_test.sh WORKDIR native|win64|win32 HOST-COMMAND... (FAKE_EDITOR in the environment)
source "$(dirname "${BASH_SOURCE[0]}")/host_lib.sh"

editor=${FAKE_EDITOR:?the test sets FAKE_EDITOR}

# called.txt after the editor was started `count` times (it is not waited for).
# Up to a minute: a process start under wine on a loaded machine can take
# many seconds, and the wait ends as soon as the lines are there.
wait_for_calls() {  # FILE COUNT
    local tries=0
    while (( tries < 600 )); do
        [[ -f $1 && $(wc -l < "$1") -ge $2 ]] && return 0
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

for case in with_macros without_macros; do
    # (run_host gives each run a fresh profile directory named after it)
    base=$case-dirs
    mkdir -p "$base/editor" "$base/macros"
    cp "$editor" "$base/editor/Zentoro.exe"
    if [[ $case == with_macros ]]; then
        dirs=(--editor "$base/editor" --macros "$base/macros")
        help_dir=macros
    else
        dirs=(--editor "$base/editor" --no-macros)
        help_dir=editor
    fi
    run_host "$case" "${dirs[@]}" --macro '' --type ' help: ' --ok --macro '' --type 'help:' --ok
    calls=$base/editor/called.txt
    if ! wait_for_calls "$calls" 2; then
        report "$case: the editor was started twice" 1
        continue
    fi
    report "$case: the editor was started twice" 0
    first=$(sed -n 1p "$calls" | tr -d '\r')
    second=$(sed -n 2p "$calls" | tr -d '\r')
    [[ $first == "$second" ]]; report "$case: the same command line both times" $?
    if [[ $host_platform == native ]]; then
        pattern="^\[.*/$base/editor/Zentoro.exe\] \[/j86 .*/$base/$help_dir\\\\ZentoroMailSearch.txt\]\$"
    else
        pattern="^\".*\\\\$base\\\\editor\\\\Zentoro.exe\" \"/j86 .*\\\\$base\\\\$help_dir\\\\ZentoroMailSearch.txt\"\$"
    fi
    [[ $first =~ $pattern ]]; report "$case: the help text in the $help_dir directory ($first)" $?
    grep -q 'SetFindPack' "$case.out"; [[ $? != 0 ]]; report "$case: no search runs" $?
done
finish
