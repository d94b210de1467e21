#!/usr/bin/env bash
# The ways a search ends early or meets an odd host: not inside the mail
# program, main window not running, VRInfo.dll missing, null texts from the
# host. Where the profile file goes. zms-host's own journal file and its
# refusal of a bad command line.
# usage: host_failures_test.sh WORKDIR native|win64|win32 HOST-COMMAND...
source "$(dirname "${BASH_SOURCE[0]}")/host_lib.sh"

# ---- The two messages: shown before the dialog, nothing else asked of the
# host, nothing saved. A later search in the same process works again.

check not_inside --inside 0 --macro 'abc' --ok --inside 1 --main-wnd 0 --macro '' --ok \
    --main-wnd own --macro '' --type 'x' --esc --show-profile <<'EOF'
search 1: macro "abc"
@NOT_INSIDE@
  host: IsZentoroMail() = 0
search 1 returned 0
search 2: macro ""
@NOT_RUNNING@
  host: IsZentoroMail() = 1
  host: MainWnd() = 0
search 2 returned 0
search 3: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
search 3 returned 0
profile: none
EOF

# ---- No VRInfo.dll in the mail program directory: every search returns 0
# without calling anything.

mkdir -p nolibrary
check no_host_library --mail-dir nolibrary --macro 'abc' --type abc --ok --macro '' --ok \
    --show-profile <<'EOF'
search 1: macro "abc"
@NO_LIBRARY@
search 1 returned 0
search 2: macro ""
@NO_LIBRARY@
search 2 returned 0
profile: none
EOF

# ---- No mail program directory in the registry: the mail program's is the
# directory of the running program, zms-host's, with VRInfo.dll beside it.

check no_mail_dir --no-mail-dir --macro '' --type abc --ok <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 1 returned 0
EOF

# ---- Start-up waits for the first search, outside the loader lock: the mail
# program directory that the registry names then gives VRInfo.dll and the
# profile file, not the one it named when the plug-in was loaded.

mkdir -p moved
cp "$host_bundle/VRInfo.dll" moved/
check started_at_first_search --no-editor --mail-dir nolibrary --move-mail-dir moved \
    --macro '' --type abc --ok <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 1 returned 0
EOF
[[ -f moved/ZentoroMailSearch.ini && ! -e nolibrary/ZentoroMailSearch.ini ]]
report "started_at_first_search: the profile in the directory named at the search" $?

# ---- Null account and folder from the host are passed on as they came.

check null_account --window other --null-account --macro '' --type abc --scope 1003 --ok <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = null
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: ExecAtMain("StartDoGrep", null, "受信+送信済み+ユーザー")
  host: ExecAtMain("PushFindPack")
search 1 returned 0
EOF

check null_folder --window main --null-folder --macro '' --type abc --ok \
    --window other --null-account --macro '' --pick 0 --scope 1002 --ok <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = null
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", null)
  host: PushFindPack()
search 1 returned 0
search 2: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[abc]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = null
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("CurrentFolder") = null
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=1,hilight=1")
  host: ExecAtMain("StartDoGrep", null, null)
  host: ExecAtMain("PushFindPack")
search 2 returned 0
EOF

# ---- The profile file: in the macro directory when the editor is installed
# and the macro directory set, else in the install location; without the
# editor in the mail program directory (here a copy of VRInfo.dll's), even
# with a macro directory set.

mkdir -p location/editor location/macros location/mail
cp "$host_bundle/VRInfo.dll" location/mail/
run_host location_macros --editor location/editor --macros location/macros --macro '' --type a --ok
run_host location_editor --editor location/editor --no-macros --macro '' --type b --ok
run_host location_mail --no-editor --macros location/macros --mail-dir location/mail --macro '' --type c --ok
check_files profile_locations location/macros/ZentoroMailSearch.ini location/editor/ZentoroMailSearch.ini \
    location/mail/ZentoroMailSearch.ini
for dir in macros editor mail; do
    profile=$(tr -d '\r' < "location/$dir/ZentoroMailSearch.ini" 2>/dev/null | grep '^history0=')
    expected=history0=$(case $dir in macros) echo a ;; editor) echo b ;; mail) echo c ;; esac)
    [[ $profile == "$expected" ]]
    report "profile_in_$dir" $?
done

# ---- A profile file that cannot be written (the macro directory named in the
# registry does not exist): the favourite that was not stored is told, with
# the file's name, in a box owned by the main window; the scope and history
# that were not saved are not told on top of it, nor at the searches after it,
# which reach the host.

run_host unwritable --macros missing/folder --macro '' --type 'fav:work subject:x' --ok \
    --macro '' --type a --ok --macro '' --type b --ok
normalized_output unwritable > unwritable.actual
[[ $(cat unwritable.status) == 0 ]] &&
    [[ $(grep -c '^profile message: お気に入りを保存できませんでした。$' unwritable.actual) == 1 ]] &&
    [[ $(grep -c '^profile message: ' unwritable.actual) == 1 ]] &&
    [[ $(grep -c 'SetFindPack(' unwritable.actual) == 2 ]]
report unwritable_profile $?

# ---- zms-host's journal file gets every line the journal got.

run_host journal_file --journal journal.txt --inside 0 --macro '' --inside 1 --main-wnd 0 --macro ''
printf '%s\n' 'IsZentoroMail() = 0' 'IsZentoroMail() = 1' 'MainWnd() = 0' > journal.expected
cmp -s journal.expected journal.txt
report journal_file $?

# ---- A bad command line: exit status 2, the reason, the usage, nothing run.

while IFS='|' read -r name reason args; do
    read -ra words <<< "$args"
    run_host "usage_$name" "${words[@]}"
    tr -d '\r' < "usage_$name.out" > "usage_$name.text"
    [[ $(cat "usage_$name.status") == 2 ]] && [[ $(head -1 "usage_$name.text") == "zms-host: $reason" ]] &&
        grep -q '^usage: zms-host' "usage_$name.text" && ! grep -q '^search' "usage_$name.text"
    report "usage_$name" $?
done <<'EOF'
action_first|--ok must follow --macro or another dialog action|--ok --macro x
action_after_state|--type must follow --macro or another dialog action|--macro x --inside 1 --type y
inside|--inside takes 0 or 1|--inside 2
window|--window takes main, grep or other|--window Main
main_wnd|--main-wnd takes a number or own|--main-wnd 12x
missing_value|--macro needs a value|--macro
unknown|unknown option --nosuch|--nosuch
EOF

finish
