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
# becomes the query and, below it, the find pack that zms-translate makes of
# it, so the examples always show what the translator really does.
#
#   bash scripts/make_help.sh          builds zms-translate (native preset), rewrites docs/
#   bash scripts/make_help.sh --translate PROGRAM --version V --out DIR
#                                      the same with a given tool, into DIR (the test's way)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

translate=""
version=""
out="$root/docs"
while [[ $# -gt 0 ]]; do
    case "$1" in
        --translate) translate=$2; shift 2 ;;
        --version) version=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "usage: $0 [--translate PROGRAM] [--version VERSION] [--out DIR]" >&2; exit 2 ;;
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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[Option]\r\nfullwidthspace_separator=1\r\n' > "$work/fullwidth.ini"

# One @example line (code page 932 bytes) to its two lines of output.
example() {
    local options=$1 query=$2 option
    local args=() list=()
    IFS=, read -r -a list <<< "$options"
    for option in "${list[@]}"; do
        case "$option" in
            scope=100[1-4]) args+=(--scope "${option#scope=}") ;;
            fullwidth) args+=(--profile "$work/fullwidth.ini") ;;
            *) echo "make_help.sh: unknown example option '$option'" >&2; return 1 ;;
        esac
    done
    local pack
    pack=$("$translate" "${args[@]}" -- "$query")
    printf '  %s\n    => %s\n' "$query" "$pack"
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
