#!/usr/bin/env bash
# zms-translate as a person or a macro writer uses it: arguments, standard
# input with CR LF and a last line without LF, the profile's option, bad usage.
# usage: zms_translate_test.sh WORKDIR COMMAND...   (COMMAND may be "wine tool.exe")
set -u
work=$1; shift
mkdir -p "$work"
failed=0
check() {  # name expected-file actual-file
    if cmp -s "$2" "$3"; then echo "ok   $1"; else echo "FAIL $1"; diff <(od -c "$2") <(od -c "$3") | head -20; failed=1; fi
}

printf '%s\n' '("meeting",target=subject)and("sales",target=from),subfolder=0,hilight=1' \
    '("x",target=smallheaderbody),subfolder=1,hilight=1' > "$work/args.expected"
{ "$@" 'subject:meeting from:sales'; "$@" --scope 1002 -- x; } > "$work/args.out"
check arguments "$work/args.expected" "$work/args.out"

# Lines: CR LF, LF, an empty line, code page 932 bytes, a fullwidth space, no LF at the end.
printf 'abc\r\nsubject:\x8c\x9f\x8d\xf5\n\nsubject:abc\x81\x40def\nflag:x' > "$work/in.txt"
printf '%s\n' '("abc",target=smallheaderbody),subfolder=0,hilight=1' \
    "$(printf '("\x8c\x9f\x8d\xf5",target=subject),subfolder=0,hilight=1')" \
    ',subfolder=0,hilight=1' \
    "$(printf '("abc\x81\x40def",target=subject),subfolder=0,hilight=1')" \
    'flag=x,subfolder=0,hilight=1' > "$work/stdin.expected"
"$@" < "$work/in.txt" > "$work/stdin.out"
check "standard input, option off" "$work/stdin.expected" "$work/stdin.out"

printf '[Option]\r\nfullwidthspace_separator=1\r\n' > "$work/profile.ini"
printf 'subject:abc\x81\x40def\n' > "$work/fw.txt"
printf '%s\n' '("abc ",target=subject)and("def",target=smallheaderbody),subfolder=0,hilight=1' > "$work/fw.expected"
"$@" --profile "$work/profile.ini" < "$work/fw.txt" > "$work/fw.out"
check "standard input, option on from the profile" "$work/fw.expected" "$work/fw.out"

# --yen: plain values escaped as the stand-in host escapes them; quoted ones as typed.
printf 'a\\b "x\\"y" c"d \x95\x5c\n' > "$work/yen.txt"
printf '%s\n' "$(printf '("a\\\\b",target=smallheaderbody)and("x\\"y",regular,target=smallheaderbody)and("c\\"d",target=smallheaderbody)and("\x95\x5c",target=smallheaderbody),subfolder=0,hilight=1')" > "$work/yen.expected"
"$@" --yen < "$work/yen.txt" > "$work/yen.out"
check "--yen escapes plain values only" "$work/yen.expected" "$work/yen.out"

# --explain: the pack, then one line per step, with the reasons for a surprise
# (the second query: a wildcard taken from later, a fullwidth space kept in a
# value); then the traps of Japanese typing: a closing quote escaped by the
# second byte (0x5C) of 表 or ソ, an empty "", prefixes with fullwidth letters
# or colon, curly and fullwidth quotes, and the way round the first trap.
# On standard input, which carries code page 932 bytes as they are under wine too
# (wine takes a program's arguments as UTF-8); written here in UTF-8.
iconv -f UTF-8 -t CP932 > "$work/explain.txt" <<'END'
subject:"abc Subject:x to: y
attach:a　b attach:*
subject:"予定表" 会議
subject:"ソ" "x"
subject:"" ｓｕｂｊｅｃｔ：会議 from：x ＴＯ:y
subject:“会議 山田” ＂x＂
subject:"予定表.*" subject:ソ
END
"$@" --explain < "$work/explain.txt" > "$work/explain.out"
iconv -f UTF-8 -t CP932 > "$work/explain.expected" <<'END'
(""abc",target=subject)and("Subject:x",target=smallheaderbody)and("to:",target=smallheaderbody)and("y",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, plain: ["abc] left [Subject:x to: y] -- no closing double quote: the quote is searched as text
  2. smallheaderbody, plain: [Subject:x] left [to: y] -- not a field: prefixes are lower case, as in subject:
  3. to, no value: [to:] left [smallheaderbody:to: y] -- nothing follows "to:": its text is searched as a word of the default field
  4. smallheaderbody, plain: [to:] left [y]
  5. smallheaderbody, plain: [y] left []
("a　b",target="X-Attach"),flag=attach,subfolder=0,hilight=1
  1. attach, attachment wildcard: [attach:*] left [attach:a　b] -- messages with attachments; taken first from later in the query
  2. X-Attach, plain: [a　b] left [] -- the fullwidth space is part of the value (fullwidthspace_separator=1 ends it there)
(""予定表"",target=subject)and("会議",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, plain: ["予定表"] left [会議] -- the double quote after 表 does not close the value: the second byte of 表 is 0x5C, a backslash, which escapes the quote; leave the quotes out when no regular expression is needed, or end the pattern otherwise, as in "予定表.*"
  2. smallheaderbody, plain: [会議] left []
("ソ" ",regular,target=subject)and("x"",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, quoted (regular expression): ["ソ" "] left [x"] -- the double quote after ソ does not close the value: the second byte of ソ is 0x5C, a backslash, which escapes the quote; leave the quotes out when no regular expression is needed, or end the pattern otherwise, as in "ソ.*"
  2. smallheaderbody, plain: [x"] left []
("""",target=subject)and("ｓｕｂｊｅｃｔ：会議",target=smallheaderbody)and("from：x",target=smallheaderbody)and("ＴＯ:y",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, plain: [""] left [ｓｕｂｊｅｃｔ：会議 from：x ＴＯ:y] -- nothing between the double quotes: "" is searched as text; put the pattern between them, or leave the term out
  2. smallheaderbody, plain: [ｓｕｂｊｅｃｔ：会議] left [from：x ＴＯ:y] -- not a field: prefixes are typed half-width, letters and colon, as in subject: ([IME] control=1 closes the input method as the dialog opens)
  3. smallheaderbody, plain: [from：x] left [ＴＯ:y] -- not a field: prefixes are typed half-width, letters and colon, as in from: ([IME] control=1 closes the input method as the dialog opens)
  4. smallheaderbody, plain: [ＴＯ:y] left [] -- not a field: prefixes are typed half-width, letters and colon, as in to: ([IME] control=1 closes the input method as the dialog opens)
("“会議",target=subject)and("山田”",target=smallheaderbody)and("＂x＂",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, plain: [“会議] left [山田” ＂x＂] -- “ is no double quote and is searched as text: a quoted value (a regular expression) goes between half-width double quotes "..."
  2. smallheaderbody, plain: [山田”] left [＂x＂] -- ” is no double quote and is searched as text: a quoted value (a regular expression) goes between half-width double quotes "..."
  3. smallheaderbody, plain: [＂x＂] left [] -- ＂ is no double quote and is searched as text: a quoted value (a regular expression) goes between half-width double quotes "..."
("予定表.*",regular,target=subject)and("ソ",target=subject),subfolder=0,hilight=1
  1. subject, quoted (regular expression): ["予定表.*"] left [subject:ソ]
  2. subject, plain: [ソ] left []
END
check "--explain" "$work/explain.expected" "$work/explain.out"

# --japanese: the same steps in the reasons' Japanese, in UTF-8 natively and in
# code page 932 on Windows (compared here in UTF-8).
printf 'subject:"ソ" ｓｕｂｊｅｃｔ：x\n' | iconv -f UTF-8 -t CP932 > "$work/ja.txt"
"$@" --explain --japanese < "$work/ja.txt" > "$work/ja.raw"
if [[ $* == *.exe* ]]; then iconv -f CP932 -t UTF-8 "$work/ja.raw"; else cat "$work/ja.raw"; fi > "$work/ja.out"
cat > "$work/ja.expected" <<'END'
(""ソ"",target=subject)and("ｓｕｂｊｅｃｔ：x",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, 引用符で囲まない検索語: ["ソ"] left [ｓｕｂｊｅｃｔ：x] -- 「ソ」の 2 バイト目は \ と同じ 0x5C なので、その後ろの " はエスケープされ、値を閉じません。正規表現が要らなければ引用符で囲まずに書くか、"ソ.*" のようにパターンの終わりを変えてください。
  2. smallheaderbody, 引用符で囲まない検索語: [ｓｕｂｊｅｃｔ：x] left [] -- 接頭辞ではありません。接頭辞は英字もコロンも半角で書きます（subject:）。[IME] control=1 にすると、ダイアログを開くときに日本語入力がオフになります。
END
check "--explain --japanese" "$work/ja.expected" "$work/ja.out"

for bad in "--scope 1005" "--scope" "--scope x1" "--nosuch"; do
    # shellcheck disable=SC2086
    "$@" $bad x > "$work/bad.out" 2> "$work/bad.err"
    status=$?
    if [ "$status" = 2 ] && grep -q '^usage: zms-translate' "$work/bad.err" && [ ! -s "$work/bad.out" ]; then
        echo "ok   refuses $bad"
    else
        echo "FAIL refuses $bad (status $status)"; failed=1
    fi
done
if "$@" --help | grep -q '^usage: zms-translate'; then echo "ok   --help"; else echo "FAIL --help"; failed=1; fi
exit $failed
