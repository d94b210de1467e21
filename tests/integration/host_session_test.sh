#!/usr/bin/env bash
# Several searches in one process, as the mail program makes them while the
# plug-in stays loaded: the query history and the initial edit text carried
# from one search to the next, Esc and the close box ending a search with no
# further host call and nothing saved, favourites stored, recalled and
# removed, and raw find packs. Then a second process over the same profile.
# usage: host_session_test.sh WORKDIR native|win64|win32 HOST-COMMAND...
source "$(dirname "${BASH_SOURCE[0]}")/host_lib.sh"

# 1. A macro text with a space goes through YenEncode and is shown quoted.
# 2. An empty macro text keeps the last one; the same query again leaves a
# blank row under it. 3. One without a space is shown as it stands, its
# backslash and double quote unescaped. 4. Esc, 5. the close box: the scope
# clicked is not kept, nothing is saved, no host call follows the dialog.
# 6. Only the first line of a macro text counts; OK with an empty query line
# saves the scope and the check box but no query, and ends the search.
check history_and_edit_text \
    --macro 'a b' --ok \
    --macro '' --ok \
    --macro 'x\y"z' --type abc --scope 1003 --ok \
    --macro '' --pick 1 --scope 1004 --esc \
    --macro '' --scope 1002 --close \
    --macro $'first\r\nsecond line' --scope 1004 --type '' --ok \
    --show-profile <<'EOF'
search 1: macro "a b"
dialog: scope=1001 check=0(disabled) text=["a b"] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: YenEncode("a b") = "a b"
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"a b\",regular,target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 1 returned 0
search 2: macro ""
dialog: scope=1001 check=0(disabled) text=["a b"] list=["a b"]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"a b\",regular,target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 2 returned 0
search 3: macro "x\\y\"z"
dialog: scope=1001 check=0(disabled) text=[x\y"z] list=["a b"|]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: YenEncode("abc") = "abc"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信+送信済み+ユーザー")
  host: PushFindPack()
search 3 returned 0
search 4: macro ""
dialog: scope=1003 check=0 text=[x\y"z] list=[abc|"a b"|]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
search 4 returned 0
search 5: macro ""
dialog: scope=1003 check=0 text=[x\y"z] list=[abc|"a b"|]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
search 5 returned 0
search 6: macro "first\x0D\x0Asecond line"
dialog: scope=1003 check=0 text=[first] list=[abc|"a b"|]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
search 6 returned 0
profile:
[Config]
radio=4
check=FALSE
[History]
history0=abc
history1=""a b""
EOF

# The next load of the plug-in starts from the profile: history, scope and
# check box. Picking a row searches it; the quotes written around a quoted
# query were taken off again.
PROFILE_OF=history_and_edit_text check history_reloaded \
    --macro '' --pick 1 --ok --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1004 check=0 text=[] list=[abc|"a b"]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"a b\",regular,target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("", "受信+送信済み+ユーザー")
  host: PushFindPack()
search 1 returned 0
profile:
[Config]
radio=4
check=FALSE
[History]
history0=""a b""
history1=abc
EOF

# A favourite is stored (no search), recalled (searched), removed (no
# search), and recalled when missing (an empty query: the suffixes alone). A
# definition in quotes is recalled with its quotes, as one quoted term. A
# space right after "fav:" makes a plain query.
check favourites --window grep \
    --macro '' --type 'fav:work subject:report' --ok \
    --macro '' --type 'fav:work' --ok \
    --macro '' --type 'fav:work ""' --ok \
    --macro '' --type 'fav:work' --ok \
    --macro '' --type 'fav:q "subject:a b"' --ok \
    --macro '' --type 'fav:q' --ok \
    --macro '' --type 'fav: x' --ok \
    --show-profile <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
search 1 returned 0
search 2: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("report") = "report"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack("(\"report\",target=subject),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 2 returned 0
search 3: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:work|fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
search 3 returned 0
search 4: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:work ""|fav:work|fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack(",subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 4 returned 0
search 5: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:work|fav:work ""||fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
search 5 returned 0
search 6: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:q "subject:a b"|fav:work|fav:work ""||fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack("(\"subject:a b\",regular,target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 6 returned 0
search 7: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[fav:q|fav:q "subject:a b"|fav:work|fav:work ""||fav:work subject:report]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("fav:") = "fav:"
  host: YenEncode("x") = "x"
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 1
  host: SetFindPack("(\"fav:\",target=smallheaderbody)and(\"x\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 7 returned 0
profile:
[Config]
radio=1
check=FALSE
[History]
history0=fav: x
history1=fav:q
history2=fav:q "subject:a b"
history3=fav:work
history4=fav:work ""
history5=fav:work subject:report
[Favorite]
q=""subject:a b""
EOF

# "debug:" sends the rest of the trimmed query as it is: no translation, no
# suffixes, no YenEncode.
check debug --window other --macro '' --type '  debug:(x) "a\b"  ' --scope 1004 --ok <<'EOF'
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: IsZentoroMailMain() = 0
  host: IsZentoroMailGrep() = 0
  host: ExecAtMain("SetFindPack", "(x) \"a\\b\"")
  host: ExecAtMain("StartDoGrep", "", "受信+送信済み+ユーザー")
  host: ExecAtMain("PushFindPack")
search 1 returned 0
EOF

finish
