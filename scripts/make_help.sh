#!/usr/bin/env bash
# Writes the texts shipped beside the DLLs from their UTF-8 sources:
#   docs/help/ZentoroMailSearch.utf8.txt -> docs/ZentoroMailSearch.txt   (the help: text)
#   docs/help/README-user.utf8.txt       -> docs/README-user.txt
# Both become code page 932 with CR LF line ends, which Notepad and the editor
# show as they are. In the sources, @VERSION@ is the version of project() in
# CMakeLists.txt, and a line
#   @example QUERY                    (scope "current folder", no option)
#   @example[scope=1002] QUERY        (another scope)
#   @example[fullwidth] QUERY         ([Option] fullwidthspace_separator=1)
#   @example[explain] QUERY           (the steps of zms-translate --explain too)
# (options may be combined: @example[fullwidth,explain]) becomes the query
# and, below it, the find pack that zms-translate makes of it, so the examples
# always show what the translator really does.
#
# Notepad shows the files without wrapping, so a find pack longer than its
# line is wrapped at its own seams: after the "and" between two terms and
# before ",flag=" and ",subfolder=". Continuation lines are indented by 7
# spaces and begin with "(" or ","; joined again they give the find pack byte
# for byte. In code page 932 a byte is one column (a double-byte character is
# two bytes and two columns), so the limit counts bytes. A find pack that
# cannot be wrapped so, or an --explain line that is too long, is an error:
# choose a shorter example.
#
#   bash scripts/make_help.sh          builds zms-translate (native preset), rewrites docs/
#   bash scripts/make_help.sh --translate PROGRAM --version V --out DIR [--width N]
#                                      the same with a given tool, into DIR (the test's
#                                      way); --width 0 leaves the find packs unwrapped
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

translate=""
version=""
out="$root/docs"
width=80
while [[ $# -gt 0 ]]; do
    case "$1" in
        --translate) translate=$2; shift 2 ;;
        --version) version=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --width) width=$2; shift 2 ;;
        *) echo "usage: $0 [--translate PROGRAM] [--version VERSION] [--out DIR] [--width N]" >&2; exit 2 ;;
    esac
done

if [[ -z $translate || -z $version ]]; then
    (cd "$root" && cmake --preset native > /dev/null)
fi
if [[ -z $translate ]]; then
    (cd "$root" && cmake --build --preset native --target zms-translate > /dev/null)
    translate="$root/build/native/tools/zms-translate"
fi
if [[ -z $version ]]; then
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/native/CMakeCache.txt")
fi
[[ $version =~ ^[0-9]+(\.[0-9]+)*$ ]] || { echo "make_help.sh: no version ($version)" >&2; exit 1; }
[[ $width =~ ^[0-9]+$ ]] || { echo "make_help.sh: --width takes a number of columns" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[Option]\r\nfullwidthspace_separator=1\r\n' > "$work/fullwidth.ini"

# The find pack "    => PACK", wrapped into $width columns at its seams (see
# above); no wrapping for a width of 0.
wrap_pack() {
    # The pack through the environment: awk -v would read its backslashes as escapes.
    PACK=$1 awk -v width="$width" '
        BEGIN {
            pack = ENVIRON["PACK"]
            first = "    => "; next_indent = "       "
            if (width == 0) { print first pack; exit }
            # The pieces: cut after ")and" before "(", and before ",flag=" and ",subfolder=".
            n = 0; rest = pack
            while (length(rest) > 0) {
                cut = 0
                for (i = 2; i <= length(rest); i++) {
                    tail = substr(rest, i)
                    if (i > 4 && substr(rest, i - 4, 5) == ")and(") { cut = i; break }
                    if (tail ~ /^,(flag|subfolder)=/) { cut = i; break }
                }
                if (cut == 0) { piece[++n] = rest; rest = "" }
                else { piece[++n] = substr(rest, 1, cut - 1); rest = substr(rest, cut) }
            }
            line = first piece[1]
            for (k = 2; k <= n; k++) {
                if (length(line) + length(piece[k]) <= width) { line = line piece[k]; continue }
                print line
                line = next_indent piece[k]
            }
            print line
        }' | awk -v width="$width" 'width > 0 && length($0) > width { bad = 1 } { print } END { exit bad }'
}

# One @example line (code page 932 bytes) to its lines of output.
example() {
    local options=$1 query=$2 option
    local args=() list=()
    IFS=, read -r -a list <<< "$options"
    for option in "${list[@]}"; do
        case "$option" in
            scope=100[1-4]) args+=(--scope "${option#scope=}") ;;
            fullwidth) args+=(--profile "$work/fullwidth.ini") ;;
            explain) args+=(--explain) ;;
            *) echo "make_help.sh: unknown example option '$option'" >&2; return 1 ;;
        esac
    done
    local output pack
    output=$("$translate" "${args[@]}" -- "$query")
    pack=${output%%$'\n'*}
    printf '  %s\n' "$query"
    if ! wrap_pack "$pack"; then
        echo "make_help.sh: the find pack of '$query' does not wrap into $width columns" >&2
        return 1
    fi
    if [[ $output == *$'\n'* ]]; then
        # --explain's steps, "  1. ...", under the find pack.
        local step
        while IFS= read -r step; do
            step="     $step"
            if [[ $width -gt 0 && ${#step} -gt $width ]]; then
                echo "make_help.sh: an --explain line of '$query' is longer than $width columns" >&2
                return 1
            fi
            printf '%s\n' "$step"
        done <<< "${output#*$'\n'}"
    fi
}

# UTF-8 source -> code page 932 with CR LF. The examples are translated from
# the code page 932 bytes, as the plug-in sees a query.
render() {
    local source=$1 target=$2 line
    if grep -q $'\r' "$source"; then
        echo "make_help.sh: $source has CR bytes; write it with LF line ends" >&2
        return 1
    fi
    iconv -f UTF-8 -t CP932 "$source" > "$work/cp932"
    local pattern='^@example(\[([^]]*)\])? (.+)$'
    while IFS= read -r line; do
        if [[ $line =~ $pattern ]]; then
            example "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}"
        elif [[ $line == @example* ]]; then
            echo "make_help.sh: bad example line: $line" >&2
            return 1
        else
            printf '%s\n' "${line//@VERSION@/$version}"
        fi
    done < "$work/cp932" > "$work/lf"
    sed 's/$/\r/' "$work/lf" > "$work/crlf"
    mkdir -p "$(dirname "$target")"
    mv "$work/crlf" "$target"
}

export LC_ALL=C
render "$root/docs/help/ZentoroMailSearch.utf8.txt" "$out/ZentoroMailSearch.txt"
render "$root/docs/help/README-user.utf8.txt" "$out/README-user.txt"
