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
# (the second query: a wildcard taken from later, a fullwidth space kept in a value).
# On standard input, which carries code page 932 bytes as they are under wine too
# (wine takes a program's arguments as UTF-8).
printf 'subject:"abc Subject:x to: y\nattach:a\x81\x40b attach:*\n' > "$work/explain.txt"
"$@" --explain < "$work/explain.txt" > "$work/explain.out"
cat > "$work/explain.expected" <<'END'
(""abc",target=subject)and("Subject:x",target=smallheaderbody)and("to:",target=smallheaderbody)and("y",target=smallheaderbody),subfolder=0,hilight=1
  1. subject, plain: ["abc] left [Subject:x to: y] -- no closing double quote: the quote is searched as text
  2. smallheaderbody, plain: [Subject:x] left [to: y] -- not a field: prefixes are lower case, as in subject:
  3. to, no value: [to:] left [smallheaderbody:to: y] -- nothing follows "to:": its text is searched as a word of the default field
  4. smallheaderbody, plain: [to:] left [y]
  5. smallheaderbody, plain: [y] left []
("a@b",target="X-Attach"),flag=attach,subfolder=0,hilight=1
  1. attach, attachment wildcard: [attach:*] left [attach:a@b] -- messages with attachments; taken first from later in the query
  2. X-Attach, plain: [a@b] left [] -- the fullwidth space is part of the value (fullwidthspace_separator=1 ends it there)
END
sed -i "s/a@b/$(printf 'a\x81\x40b')/" "$work/explain.expected"
check "--explain" "$work/explain.expected" "$work/explain.out"

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
