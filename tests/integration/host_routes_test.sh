#!/usr/bin/env bash
# What the plug-in asks of the host and hands to it, for each scope with the
# check box on and off, in the main window, a grep window and elsewhere: the
# account and the folder it asks for, the find pack, and the route (the
# entries called directly in the main and grep windows, through ExecAtMain
# otherwise). One search per run, each with a new profile, which is shown
# after it.
# usage: host_routes_test.sh WORKDIR native|win64|win32 HOST-COMMAND...
source "$(dirname "${BASH_SOURCE[0]}")/host_lib.sh"

# ---- Scope 1001, current folder: the account always through ExecAtMain, the
# folder from the window the macro runs in. IsZentoroMailGrep is not asked in
# the main window. The check box, though disabled, is saved as it was left.

check folder_main_check_off --window main --macro '' --type abc --ok --show-profile <<'EOF'
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
profile:
[Config]
radio=1
check=FALSE
[History]
history0=abc
EOF

check folder_grep_check_on --window grep --macro '' --type abc --scope 1003 --check --scope 1001 --ok \
    --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 1 returned 0
profile:
[Config]
radio=1
check=TRUE
[History]
history0=abc
EOF

# ---- Scope 1002, with subfolders: as 1001, and ",subfolder=1". The host's
# texts reach StartDoGrep as they came (quote, backslash, a trail byte 0x5C).

check subfolders_other_check_off --window other --account 'sales"\jp' --folder '表示' \
    --macro '' --type abc --scope 1002 --ok --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "sales\"\\jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("CurrentFolder") = "表示"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=1,hilight=1")
  host: ExecAtMain("StartDoGrep", "sales\"\\jp", "表示")
  host: ExecAtMain("PushFindPack")
search 1 returned 0
profile:
[Config]
radio=2
check=FALSE
[History]
history0=abc
EOF

check subfolders_main_check_on --window main --macro '' --type abc --scope 1003 --check --scope 1002 --ok \
    --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=1,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 1 returned 0
profile:
[Config]
radio=2
check=TRUE
[History]
history0=abc
EOF

# ---- Scope 1003, current account: no window is asked about before the
# hand-over; the folder is the inbox, sent and user folders, or all of them
# ("") with the check box on.

check account_main_check_off --window main --macro '' --type abc --scope 1003 --ok --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信+送信済み+ユーザー")
  host: PushFindPack()
search 1 returned 0
profile:
[Config]
radio=3
check=FALSE
[History]
history0=abc
EOF

check account_other_check_on --window other --macro '' --type abc --scope 1003 --check --ok \
    --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: ExecAtMain("StartDoGrep", "user@example.jp", "")
  host: ExecAtMain("PushFindPack")
search 1 returned 0
profile:
[Config]
radio=3
check=TRUE
[History]
history0=abc
EOF

# ---- Scope 1004, all accounts: no account is asked for; it is "".

check all_grep_check_off --window grep --macro '' --type abc --scope 1004 --ok --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("", "受信+送信済み+ユーザー")
  host: PushFindPack()
search 1 returned 0
profile:
[Config]
radio=4
check=FALSE
[History]
history0=abc
EOF

check all_other_check_on --window other --macro '' --type abc --scope 1004 --check --ok --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: ExecAtMain("StartDoGrep", "", "")
  host: ExecAtMain("PushFindPack")
search 1 returned 0
profile:
[Config]
radio=4
check=TRUE
[History]
history0=abc
EOF

# ---- The demo that zms-host runs without a --macro.

check demo <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: YenEncode("meeting") = "meeting"
  host: YenEncode("sales") = "sales"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"meeting\",target=subject)and(\"sales\",target=from),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信+送信済み+ユーザー")
  host: PushFindPack()
search 1 returned 0
EOF

finish
