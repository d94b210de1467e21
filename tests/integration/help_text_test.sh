#!/usr/bin/env bash
# The texts shipped beside the DLLs, docs/ZentoroMailSearch.txt (help:) and
# docs/README-user.txt: each is exactly what scripts/make_help.sh makes now
# from its UTF-8 source and the translator's own output, so no example can
# drift from what the translator does; a wrapped find pack joins up to the
# translator's one line; the help names every prefix of the field table in
# both its languages; both files are code page 932 with CR LF only, fit
# Notepad's 80 columns, begin no line with a closing mark, and underline each
# title with as many columns.
# usage: help_text_test.sh ZMS-TRANSLATE VERSION WORKDIR
set -u
translate=$1
version=$2
work=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
help="$root/docs/ZentoroMailSearch.txt"
readme="$root/docs/README-user.txt"
export LC_ALL=C
failed=0
ok() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failed=1; }

rm -rf "$work"
mkdir -p "$work"

if bash "$root/scripts/make_help.sh" --translate "$translate" --version "$version" --out "$work/generated"; then
    for name in ZentoroMailSearch.txt README-user.txt; do
        if cmp -s "$root/docs/$name" "$work/generated/$name"; then
            ok "docs/$name is what scripts/make_help.sh makes"
        else
            fail "docs/$name differs from what scripts/make_help.sh makes (run it and commit)"
            diff <(iconv -f CP932 -t UTF-8 "$root/docs/$name" 2>&1) \
                <(iconv -f CP932 -t UTF-8 "$work/generated/$name") | head -20
        fi
    done
else
    fail "scripts/make_help.sh failed"
fi

# The same without wrapping: each find pack on one line, as the translator
# printed it. Joining the wrapped lines again must give exactly that.
unwrapped=$work/unwrapped/ZentoroMailSearch.txt
bash "$root/scripts/make_help.sh" --translate "$translate" --version "$version" \
    --out "$work/unwrapped" --width 0 || fail "scripts/make_help.sh --width 0 failed"
# A "    => " line takes up the continuation lines below it: 7 spaces, then "(" or ",".
join_packs() {
    awk '{ sub(/\r$/, "") }
         packing && /^       [(,]/ { line = line substr($0, 8); next }
         { if (NR > 1) print line "\r"; line = $0; packing = /^    => / }
         END { print line "\r" }' "$1"
}
if [[ -f $unwrapped ]] && cmp -s <(join_packs "$help") "$unwrapped"; then
    ok "every wrapped find pack joins up to the translator's own line"
else
    fail "the wrapped find packs do not join up to what the translator printed"
    diff <(join_packs "$help" | iconv -f CP932 -t UTF-8) <(iconv -f CP932 -t UTF-8 "$unwrapped") | head -10
fi

# Every example line became a query and its find pack.
examples=$(grep -c '^@example' "$root/docs/help/ZentoroMailSearch.utf8.txt")
packs=$(grep -ac '^    => .*,subfolder=[01],hilight=1'$'\r''$' "$unwrapped")
if [[ $examples -gt 0 && $examples -eq $packs ]]; then
    ok "$examples examples, each with its find pack"
else
    fail "$examples example lines in the source, $packs find packs in the help"
fi

if head -n 1 "$help" | grep -aq "^ZentoroMailSearch $version " &&
    head -n 1 "$readme" | grep -aq "^ZentoroMailSearch $version"$'\r''$'; then
    ok "both name version $version in their first line"
else
    fail "the first lines do not name version $version"
fi

# The prefixes, read from the field table itself: {FieldKind::kName, "target", "prefix", ...}.
mapfile -t prefixes < <(sed -n 's/^ *{FieldKind::k[A-Za-z]*, "[^"]*", "\([^"]*\)".*/\1/p' "$root/query/field_table.h")
rows=$(grep -c '^ *{FieldKind::k[A-Za-z]*, "' "$root/query/field_table.h")
if [[ ${#prefixes[@]} -eq 0 || ${#prefixes[@]} -ne $rows ]]; then
    fail "read ${#prefixes[@]} prefixes from query/field_table.h, which has $rows rows"
fi
english_at=$(grep -an '^English'$'\r''$' "$help" | head -n 1 | cut -d: -f1)
if [[ -z $english_at ]]; then
    fail "the help has no English section"
    english_at=$(($(wc -l < "$help") + 1))
fi
head -n $((english_at - 1)) "$help" > "$work/japanese.txt"
tail -n +"$english_at" "$help" > "$work/english.txt"
for prefix in "${prefixes[@]}"; do
    # As a word of its own: "from:" must not count by being inside "from+to:".
    for part in japanese english; do
        if ! grep -aqE "(^|[ (])$(sed 's/[+.]/\\&/g' <<< "$prefix")( |$(printf '\r')|$)" "$work/$part.txt"; then
            fail "the help's $part section does not name the prefix $prefix"
        fi
    done
done
[[ ${#prefixes[@]} -gt 0 ]] && ok "the help names the ${#prefixes[@]} prefixes of the field table"

for file in "$help" "$readme"; do
    name=${file#"$root/"}
    # Code page 932: it reads as CP932, and back again it is the same bytes.
    if iconv -f CP932 -t UTF-8 "$file" > "$work/utf8" 2> /dev/null &&
        iconv -f UTF-8 -t CP932 "$work/utf8" | cmp -s - "$file"; then
        ok "$name is code page 932"
    else
        fail "$name is not code page 932 text"
    fi
    if ! grep -q 'ゼントロメール' "$work/utf8"; then
        fail "$name has no Japanese text"
    fi
    # Notepad does not wrap: no line over 80 columns. In code page 932 a byte
    # is a column, a double-byte (fullwidth) character two.
    long=$(tr -d '\r' < "$file" | awk 'length($0) > 80 { printf " %d (%d)", NR, length($0) }')
    if [[ -z $long ]]; then
        ok "$name: no line over 80 columns"
    else
        fail "$name: lines over 80 columns (line (columns)):$long"
    fi
    # Japanese line breaks, whatever make_help.sh's own rules say: no line
    # begins with a closing mark, a comma or full stop, or the long vowel.
    starts=$(grep -nE '^ *(、|。|，|．|）|」|』|】|〕|ー|・|：|；|？|！)' "$work/utf8" | cut -d: -f1 | tr '\n' ' ')
    if [[ -z $starts ]]; then
        ok "$name: no line begins with 、。）」ー or the like"
    else
        fail "$name: lines beginning with 、。）」ー or the like: $starts"
    fi
    # A line of only "=" or only "-" right under a line of text underlines it:
    # as many columns as the title.
    short=$(tr -d '\r' < "$file" | awk '/^(=+|-+)$/ && title != "" && length($0) != length(title) {
            printf " %d (%d for %d)", NR, length($0), length(title) }
        { title = $0 }')
    if [[ -z $short ]]; then
        ok "$name: every title underline is as long as its title"
    else
        fail "$name: underlines not as long as their titles (line (underline for title)):$short"
    fi
    # CR LF only: every LF has a CR before it, every CR an LF after it, and the
    # last line ends too.
    crs=$(tr -cd '\r' < "$file" | wc -c)
    lfs=$(tr -cd '\n' < "$file" | wc -c)
    crlfs=$(grep -ac $'\r$' "$file")
    if [[ $lfs -gt 0 && $crs -eq $lfs && $crlfs -eq $lfs && $(tail -c 2 "$file" | od -An -tx1 | tr -d ' ') == 0d0a ]]; then
        ok "$name has CR LF line ends only"
    else
        fail "$name: $lfs LF, $crs CR, $crlfs lines ending in CR LF"
    fi
done
exit $failed
