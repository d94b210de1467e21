#!/usr/bin/env bash
# Faults met through the reference host, as a user's mail program meets them:
# a host library without one of its entries, no registry values at all, a
# profile directory that cannot be written or is not there, a profile file of
# garbage, with a 1 MB line or of 10 MB, and null texts from the host. In every
# case the host goes on (zms-host ends normally), the search does what it can,
# and nothing already stored in the profile is lost.
# usage: fault_host_test.sh WORKDIR native|win64|win32 HOST-COMMAND...
# FAULT_VRINFO_VARIANTS names the directory of the stand-ins built without one
# entry (without-<Entry>/VRInfo.dll).
source "$(dirname "${BASH_SOURCE[0]}")/host_lib.sh"

variants=${FAULT_VRINFO_VARIANTS:?the test sets FAULT_VRINFO_VARIANTS}
plugin_file=$(cd "$host_bundle" && ls ZentoroMailSearch*.so ZentoroMailSearch*.dll 2>/dev/null | head -1)

# One search as the user makes it: query abc, current folder, OK.
read -r -d '' SEARCH_ABC <<'EOF'
search 1: macro "abc"
dialog: scope=1001 check=0(disabled) text=[abc] list=[]
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

# ---- A host library without one entry. Without any of the ten that a search
# may call, every search shows the message and calls nothing; the three that
# are never called (CurrentAccount, ZentoroMailVersion, SetQuietMode) are not
# missed: the search is the same as with the whole library.

mkdir -p entries/full
cp "$host_bundle/VRInfo.dll" entries/full/
run_host entries_full --mail-dir entries/full --macro 'abc' --ok
for dir in "$variants"/without-*; do
    entry=${dir##*/without-}
    mkdir -p "entries/$entry"
    cp "$dir/VRInfo.dll" "entries/$entry/"
    case $entry in
    CurrentAccount | ZentoroMailVersion | SetQuietMode)
        run_host "entry_$entry" --mail-dir "entries/$entry" --macro 'abc' --ok
        [[ $(cat "entry_$entry.status") == 0 ]] &&
            cmp -s <(normalized_output entries_full) <(normalized_output "entry_$entry")
        report "without_$entry: searches as with the whole library" $?
        ;;
    *)
        check "without_$entry" --mail-dir "entries/$entry" --macro 'abc' --ok --macro '' --type x --ok \
            --show-profile <<'EOF'
search 1: macro "abc"
@NO_LIBRARY@
search 1 returned 0
search 2: macro ""
@NO_LIBRARY@
search 2 returned 0
profile: none
EOF
        ;;
    esac
done
[[ $(ls -d "$variants"/without-* | wc -l) == 13 ]]
report "thirteen libraries, each without one entry" $?

# ---- No registry value at all: the mail program's directory is the running
# program's, where VRInfo.dll lies; the search runs and the profile lies
# there too. A copy of the host's directory, so that the build's stays clean.

mkdir -p bundle
host_file=${host_command[-1]##*/}
cp "$host_bundle/$host_file" "$host_bundle/VRInfo.dll" "$host_bundle/$plugin_file" bundle/
saved_host=("${host_command[@]}")
host_command[-1]=$PWD/bundle/$host_file
check no_registry --no-editor --no-macros --no-mail-dir --macro 'abc' --ok <<EOF
$SEARCH_ABC
EOF
host_command=("${saved_host[@]}")
grep -aq '^history0=abc' bundle/ZentoroMailSearch.ini
report "no_registry: the profile beside the running program" $?

# ---- The profile cannot be written: its directory is a regular file, or is
# not there. The search runs all the same (history in memory), nothing is
# created, and the file in the way is untouched.

mkdir -p unwritable/editor
printf 'not a directory\n' > unwritable/file
for where in file/sub missing/dir; do
    name=unwritable_${where%%/*}
    check "$name" --editor unwritable/editor --macros "unwritable/$where" --macro 'abc' --type abc --ok \
        --macro '' --pick 0 --ok <<EOF
search 1: macro "abc"
dialog: scope=1001 check=0(disabled) text=[abc] list=[]
profile message: 検索範囲と検索履歴を保存できませんでした。
${SEARCH_ABC#*list=\[\]$'\n'}
search 2: macro ""
dialog: scope=1001 check=0(disabled) text=[abc] list=[abc]
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
search 2 returned 0
EOF
done
[[ $(cat unwritable/file) == 'not a directory' && ! -e unwritable/missing && -z $(ls unwritable/editor) ]]
report "unwritable: nothing created, the file in the way untouched" $?

# ---- Odd profile files: start-up reads them, a search works, a favourite
# stored before is recalled, and the search's saving keeps what was there.
# Each file holds "[Favorite]" with keep=subject:keep in the middle.

# Bytes from a fixed seed: NUL, lone CR and everything else, in lines.
garbage() {  # SEED COUNT
    perl -e 'srand($ARGV[0]); print map { chr(int(rand(256))) } 1 .. $ARGV[1]' "$1" "$2"
}
make_profile() {  # KIND FILE
    case $1 in
    garbage)
        { garbage 7 3000; printf '\n\r\n\r\rx\0y=z\r\n[Favorite]\r\nkeep=subject:keep\r\n'
          garbage 8 3000; printf '\r\n'; } > "$2" ;;
    long_line)
        { printf '[Big]\r\nline='; head -c 1048576 /dev/zero | tr '\0' 'x'
          printf '\r\n[Favorite]\r\nkeep=subject:keep\r\n'; } > "$2" ;;
    ten_mb)
        { printf '[Favorite]\r\nkeep=subject:keep\r\n'
          for s in $(seq 1 12); do
              printf '[Bulk%d]\r\n' "$s"
              awk 'BEGIN { for (i = 1; i <= 10000; ++i)
                  printf "key%06d=value of about a hundred bytes, line %06d .................................\r\n", i, i }'
          done; } > "$2" ;;
    esac
}

for kind in garbage long_line ten_mb; do
    mkdir -p "odd/$kind"
    make_profile "$kind" "odd/$kind/ZentoroMailSearch.ini"
    cp "odd/$kind/ZentoroMailSearch.ini" "odd/$kind.before"
    check "odd_$kind" --editor "odd/$kind" --no-macros --macro 'abc' --type abc --ok \
        --macro '' --type fav:keep --ok <<EOF
$SEARCH_ABC
search 2: macro ""
dialog: scope=1001 check=0(disabled) text=[abc] list=[abc]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = "user@example.jp"
  host: IsZentoroMailMain() = 1
  host: CurrentFolder() = "受信"
  host: YenEncode("keep") = "keep"
  host: IsZentoroMailMain() = 1
  host: SetFindPack("(\"keep\",target=subject),subfolder=0,hilight=1")
  host: StartDoGrep("user@example.jp", "受信")
  host: PushFindPack()
search 2 returned 0
EOF
    after=odd/$kind/ZentoroMailSearch.ini
    tr -d '\r' < "$after" | grep -aqx 'history0=fav:keep' && tr -d '\r' < "$after" | grep -aqx 'keep=subject:keep'
    report "odd_${kind}: the search and the favourite saved" $?
    # What the save kept of the lines that were there before.
    before_lines=$(tr -d '\r' < "odd/$kind.before" | sort | uniq | wc -l)
    lost_lines=$(comm -23 <(tr -d '\r' < "odd/$kind.before" | LC_ALL=C sort -u) \
        <(tr -d '\r' < "$after" | LC_ALL=C sort -u) | wc -l)
    echo "     $kind: $(wc -c < "odd/$kind.before") bytes before, $(wc -c < "$after") after;" \
        "$lost_lines of $before_lines distinct lines not found afterwards"
    if [[ $host_platform == native ]]; then
        # Our own INI code keeps every byte that was there and only adds.
        cmp -s -n "$(wc -c < "odd/$kind.before")" "odd/$kind.before" "$after"
        report "odd_${kind}: every byte before is kept" $?
    elif [[ $kind != garbage ]]; then
        # Wine rewrites the file its way; these files are plain INI text,
        # and every line must survive.
        [[ $lost_lines == 0 ]]
        report "odd_${kind}: every line before is kept" $?
    fi
done

# ---- Null texts from the host on the direct route too: both account and
# folder null, in the main window and in a grep window, go on to StartDoGrep
# as they came.

for window in main grep; do
    if [[ $window == main ]]; then asked='IsZentoroMailMain() = 1'; else
        asked=$'IsZentoroMailMain() = 0\n  host: IsZentoroMailGrep() = 1'; fi
    check "null_both_$window" --window "$window" --null-account --null-folder --macro '' --type abc --ok <<EOF
search 1: macro ""
dialog: scope=1001 check=0(disabled) text=[] list=[]
  host: IsZentoroMail() = 1
  host: MainWnd() = MAINWND
  host: ExecAtMain("CurrentAccount") = null
  host: $asked
  host: CurrentFolder() = null
  host: YenEncode("abc") = "abc"
  host: $asked
  host: SetFindPack("(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
  host: StartDoGrep(null, null)
  host: PushFindPack()
search 1 returned 0
EOF
done

finish
