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
# Notepad shows the files without wrapping, so a source line longer than 80
# columns is wrapped here, where Japanese allows a line to break: at a space
# before ASCII text; after 、。）」 and the like; before （「; where a word of katakana or kanji
# begins after hiragana (a particle); failing those, where hiragana follows
# such a word. Never inside a run of katakana and kanji, inside a run of ASCII
# characters, or before a mark no line may begin with (。、）」ー small kana and
# the like). A continuation line is indented under the text of its first line:
# after "- " or "1. ", or under the second column of a line with a run of two
# or more spaces. Write each paragraph or item of the sources as one line, and
# lines that must keep their shape (tables, paths) within 80 columns. A line
# that cannot be wrapped so, or a line that breaks those rules as written, is
# an error. A no-break space (U+00A0) in a source keeps two words on one line
# ("C:\Program Files (x86)", a command with its arguments); it is written as
# an ordinary space.
#
# A find pack longer than its line is wrapped at its own seams: after the
# "and" between two terms and before ",flag=" and ",subfolder=", into --width
# columns (80 unless given; the prose always into 80). Continuation lines are indented by 7
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

# The prose of a UTF-8 source, long lines wrapped into 80 columns as the
# head of this file says (a character outside ASCII takes two columns, as it
# takes two bytes in code page 932), and every line checked against the same
# rules; @example lines pass as they are. Perl's core alone (perl-base).
wrap_prose() {
    perl -CSD -e "$wrap_program" "$1"
}
wrap_program=$(cat <<'PERL'
use strict;
use warnings;
my $width = 80;
my $source = $ARGV[0];
my $bad = 0;

my $nbsp = "\x{A0}";
sub cols { my $n = 0; $n += ord($_) < 0x80 || $_ eq $nbsp ? 1 : 2 for split //, $_[0]; return $n; }

# A word: a run of katakana (the long vowel mark too), kanji, iteration marks,
# fullwidth digits and letters. Hiragana: the particles and endings between.
sub word_char {
    my $o = ord $_[0];
    return ($o >= 0x30A1 && $o <= 0x30FE) || ($o >= 0x4E00 && $o <= 0x9FFF) ||
        ($o >= 0xF900 && $o <= 0xFAFF) || ($o >= 0x3005 && $o <= 0x3007) ||
        ($o >= 0xFF10 && $o <= 0xFF19) || ($o >= 0xFF21 && $o <= 0xFF3A) ||
        ($o >= 0xFF41 && $o <= 0xFF5A);
}
sub kana_char { my $o = ord $_[0]; return $o >= 0x3041 && $o <= 0x309F; }
# Hiragana that end a phrase (particles, inflections): a word may begin after
# them. Not the okurigana inside a compound (置き換え, 読み込み) nor お, ご.
my $phrase_end = "\x{306E}\x{3092}\x{306B}\x{306F}\x{304C}\x{3067}\x{3068}\x{3082}\x{3078}" .
    "\x{3084}\x{304B}\x{306D}\x{3088}\x{3066}\x{305F}\x{3060}\x{308B}\x{305A}\x{3070}" .
    "\x{3089}\x{304F}\x{3046}\x{3044}";  # のをにはがでともへやかねよてただるずばらくうい

# 、。，． and ）」』】〕｝〉》］, and （「『【〔｛〈《［“‘
my $stops = "\x{3001}\x{3002}\x{FF0C}\x{FF0E}";
my $closing = $stops . "\x{FF09}\x{300D}\x{300F}\x{3011}\x{3015}\x{FF5D}\x{3009}\x{300B}\x{FF3D}";
my $opening = "\x{FF08}\x{300C}\x{300E}\x{3010}\x{3014}\x{FF5B}\x{3008}\x{300A}\x{FF3B}" .
    "\x{201C}\x{2018}";
# No line begins with a closing mark, ・：；？！ー ” ’ … ‥ 〜 ～ 々, or small kana.
my $no_start = $closing . "\x{30FB}\x{FF1A}\x{FF1B}\x{FF1F}\x{FF01}\x{30FC}\x{201D}\x{2019}" .
    "\x{2026}\x{2025}\x{301C}\x{FF5E}\x{3005}\x{3041}\x{3043}\x{3045}\x{3047}\x{3049}" .
    "\x{3063}\x{3083}\x{3085}\x{3087}\x{308E}\x{30A1}\x{30A3}\x{30A5}\x{30A7}\x{30A9}" .
    "\x{30C3}\x{30E3}\x{30E5}\x{30E7}\x{30EE}\x{30F5}\x{30F6}";
sub in_set { return index($_[1], $_[0]) >= 0; }
# Words whose inside looks like a phrase's end (the に of お気に入り).
my @whole_words = ("\x{304A}\x{6C17}\x{306B}\x{5165}\x{308A}");  # お気に入り

# Whether a line may break between $a and $b, neither a space: 0 never, 1
# well, 2 where nothing better is found.
sub break_rank {
    my ($a, $b) = @_;
    return 0 if in_set($b, $no_start) || in_set($a, $opening) || $a eq $nbsp || $b eq $nbsp;
    # After a closing bracket a particle would begin the line: rather not.
    return kana_char($b) && !in_set($a, $stops) ? 2 : 1
        if in_set($a, $closing) && !in_set($b, ',.:;!?)]}');
    return 1 if in_set($b, $opening) && ord($a) >= 0x80;
    return 0 if ord($a) < 0x80 || ord($b) < 0x80;
    return 1 if in_set($a, $phrase_end) && word_char($b);
    return 2 if (word_char($a) || kana_char($a)) && word_char($b) != word_char($a) &&
        !in_set($b, $phrase_end);
    return 0;
}

# The column under which a line's continuation lines stand.
sub hang_of {
    my ($line) = @_;
    my ($lead) = $line =~ /^( *)/;
    my $rest = substr($line, length $lead);
    return length($lead) + length($1) if $rest =~ /^(- |\d+\. )/;
    if ($rest =~ /^(\S.*?)( {2,})\S/) {
        my $hang = cols($lead . $1 . $2);
        return $hang if $hang <= 40;
    }
    return length $lead;
}

sub complain { my ($n, $what) = @_; print STDERR "make_help.sh: $source:$n: $what\n"; $bad = 1; }

# The lines that one source line becomes.
sub wrap {
    my ($line, $n) = @_;
    my @out;
    my $hang = hang_of($line);
    while (cols($line) > $width) {
        my @c = split //, $line;
        my ($lead) = $line =~ /^( *)/;
        my ($good, $any);  # [end of the kept text, start of the next line, its columns]
        my $w = cols($lead);
        my $depth = 0;  # inside （「…」）, a break only where nothing better is found
        my %inside;     # positions inside one of @whole_words
        for my $word (@whole_words) {
            for (my $at = index($line, $word); $at >= 0; $at = index($line, $word, $at + 1)) {
                $inside{$_} = 1 for $at + 1 .. $at + length($word) - 1;
            }
        }
        for my $i (length($lead) + 1 .. $#c) {
            $w += cols($c[$i - 1]);
            $depth++ if in_set($c[$i - 1], $opening);
            $depth-- if $depth > 0 && in_set($c[$i - 1], $closing);
            last if $w > $width;
            next if $w <= $hang || $inside{$i};
            my $at;
            if ($c[$i] eq ' ' && $c[$i - 1] ne ' ') {
                my $next = $i;
                $next++ while $next <= $#c && $c[$next] eq ' ';
                next if $next > $#c || in_set($c[$next], $no_start) || in_set($c[$i - 1], $opening);
                # Only before ASCII: after one, the space stands between a
                # number and its counter ("32 ビット") or a word and its
                # particle ("OK で"), and in a name ("タスク マネージャー").
                next if ord($c[$next]) >= 0x80;
                $at = [$i, $next, $w, $depth ? 2 : 1];
            } elsif ($c[$i] ne ' ' && $c[$i - 1] ne ' ') {
                my $rank = break_rank($c[$i - 1], $c[$i]);
                next unless $rank;
                $at = [$i, $i, $w, $depth ? 2 : $rank];
            } else {
                next;
            }
            $good = $at if $at->[3] == 1;
            $any = $at;
        }
        # The last good break; the last of any kind only without one.
        my $cut = $good || $any;
        if (!$cut) {
            complain($n, "cannot be wrapped into $width columns where Japanese allows a break");
            last;
        }
        push @out, join('', @c[0 .. $cut->[0] - 1]);
        $line = (' ' x $hang) . join('', @c[$cut->[1] .. $#c]);
    }
    push @out, $line;
    return @out;
}

my @lines;  # [text, source line number, whether it is prose]
open(my $in, '<', $source) or die "make_help.sh: $source: $!\n";
while (my $line = <$in>) {
    chomp $line;
    if ($line =~ /^\@example/) { push @lines, [$line, $., 0]; next; }
    push @lines, [$_, $., 1] for wrap($line, $.);
}
close $in;

# The rules, on what was written by hand as much as on what was wrapped here.
for my $k (0 .. $#lines) {
    my ($text, $n, $prose) = @{$lines[$k]};
    next unless $prose;
    complain($n, "longer than $width columns") if cols($text) > $width;
    complain($n, "a line begins with a mark that may not begin one")
        if $text =~ /^ *(.)/ && in_set($1, $no_start);
    complain($n, "would read as a find pack's line (\"    => \", or 7 spaces and \"(\" or \",\")")
        if $text =~ /^    => / || $text =~ /^ {7}[(,]/;
    next if $k == $#lines || !$lines[$k + 1][2];
    my $next = $lines[$k + 1][0];
    next unless $text =~ /(.)$/ && $1 ne ' ';
    my $last = $1;
    next unless $next =~ /^ *(\S)/;
    my $first = $1;
    complain($n, "a line ends with an opening mark") if in_set($last, $opening);
    # A full line whose last word goes on in the next line, indented as its
    # continuation (a table's next row is not): split by hand.
    my ($indent) = $next =~ /^( *)/;
    complain($n, "a word is split across the line end")
        if cols($text) >= $width - 10 && length($indent) == hang_of($text) &&
        ((word_char($last) && word_char($first)) || (kana_char($last) && kana_char($first)));
}
for (@lines) { (my $text = $_->[0]) =~ s/$nbsp/ /g; print "$text\n"; }
exit $bad;
PERL
)

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
    wrap_prose "$source" > "$work/wrapped"
    iconv -f UTF-8 -t CP932 "$work/wrapped" > "$work/cp932"
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
