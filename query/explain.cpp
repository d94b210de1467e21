#include "query/explain.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "query/field_table.h"
#include "text/cp932.h"

namespace zms {

namespace {

using Form = TranslationStep::Form;

std::string Target(const TranslationStep& s) {
    const bool attachment = s.kind == FieldKind::kAttach && s.form != Form::kWildcard;
    return attachment ? "X-Attach" : std::string(FieldOf(s.kind).target);
}

// A field prefix written in another letter case, at the start of `value`.
const Field* MiscasedPrefix(const std::string& value) {
    auto same = [](char p, char v) { return std::tolower(static_cast<unsigned char>(v)) == p; };
    for (const Field& f : kFields) {
        if (value.size() >= f.prefix.size() && value.compare(0, f.prefix.size(), f.prefix) != 0 &&
            std::equal(f.prefix.begin(), f.prefix.end(), value.begin(), same))
            return &f;
    }
    return nullptr;
}

bool HasFullwidthSpace(const std::string& value) {
    return value.find("\x81\x40") != std::string::npos;
}

// In a value that begins with a double quote: the text after that quote up to
// and with the first double-byte character whose second byte, 0x5C, stands
// right before a double quote. The translation reads bytes, so to it that
// 0x5C is a backslash and the quote after it is escaped (as with 表, 予, ソ).
// Empty when there is none.
std::string TextUpToEscapingCharacter(const std::string& value) {
    for (std::size_t i = 1; i + 2 < value.size(); i += text::CharLength(value, i)) {
        if (text::IsLeadByte(value[i]) && value[i + 1] == '\\' && value[i + 2] == '"')
            return value.substr(1, i + 1);
    }
    return {};
}

// Whether value[at] begins the fullwidth form of `c` (a lower-case letter in
// either case, '+' or ':'), as an input method types it.
bool FullwidthFormAt(const std::string& value, std::size_t at, char c) {
    if (at + 1 >= value.size()) return false;
    const auto lead = static_cast<unsigned char>(value[at]);
    const auto trail = static_cast<unsigned char>(value[at + 1]);
    if (c >= 'a' && c <= 'z')
        return lead == 0x82 && (trail == 0x81 + (c - 'a') || trail == 0x60 + (c - 'a'));
    return lead == 0x81 && trail == (c == ':' ? 0x46 : c == '+' ? 0x7B : 0);
}

// A field prefix at the start of `value` with one of its characters or more
// typed fullwidth, the rest half-width, letters in either case:
// ｓｕｂｊｅｃｔ：, subject：, ｓｕｂｊｅｃｔ:
const Field* FullwidthPrefix(const std::string& value) {
    for (const Field& f : kFields) {
        std::size_t at = 0;
        bool wide = false;
        for (char c : f.prefix) {
            if (at < value.size() && std::tolower(static_cast<unsigned char>(value[at])) == c) {
                ++at;
            } else if (FullwidthFormAt(value, at, c)) {
                at += 2;
                wide = true;
            } else {
                at = std::string::npos;
                break;
            }
        }
        if (at != std::string::npos && wide) return &f;
    }
    return nullptr;
}

// A curly double quote or the fullwidth one (“ ” ＂) that begins or ends
// `value`; empty when neither end is one.
std::string TypographicQuote(const std::string& value) {
    auto quote = [](const std::string& c) {
        return c == "\x81\x67" || c == "\x81\x68" || c == "\xFA\x57" || c == "\xEE\xFC";
    };
    std::size_t last = 0;
    for (std::size_t i = 0; i < value.size(); i += text::CharLength(value, i)) last = i;
    for (const std::string& c : {value.substr(0, 2), value.substr(last)})
        if (quote(c)) return c;
    return {};
}

// What in a step may surprise: at most one reason of its own form, then
// whether it was taken from later in the query, then a fullwidth space that
// the option would have made a separator.
std::vector<Hint> Hints(const TranslationStep& s) {
    using Kind = Hint::Kind;
    std::vector<Hint> hints;
    const bool plain = s.form == Form::kPlain;
    if (s.form == Form::kNoValue) {
        hints.push_back({Kind::kPrefixWithoutValue, std::string(FieldOf(s.kind).prefix)});
    } else if (s.form == Form::kWildcard) {
        hints.push_back({Kind::kAttachments, {}});
    } else if (s.form == Form::kFlag && s.value.empty()) {
        hints.push_back({Kind::kFlagWithoutValue, {}});
    } else if (plain && s.value.compare(0, 2, "\"\"") == 0) {
        hints.push_back({Kind::kEmptyQuotes, {}});
    } else if ((plain && !s.value.empty() && s.value[0] == '"') || s.form == Form::kQuoted) {
        // Unclosed, or closed by a later quote than the one typed to close it.
        std::string text = TextUpToEscapingCharacter(s.value);
        if (!text.empty())
            hints.push_back({Kind::kEscapedQuote, std::move(text)});
        else if (plain)
            hints.push_back({Kind::kUnclosedQuote, {}});
    } else if (const Field* f =
                   plain && s.kind == kDefaultField ? MiscasedPrefix(s.value) : nullptr) {
        hints.push_back({Kind::kMiscasedPrefix, std::string(f->prefix)});
    } else if (const Field* w =
                   plain && s.kind == kDefaultField ? FullwidthPrefix(s.value) : nullptr) {
        hints.push_back({Kind::kFullwidthPrefix, std::string(w->prefix)});
    } else if (std::string quote = plain ? TypographicQuote(s.value) : ""; !quote.empty()) {
        hints.push_back({Kind::kTypographicQuote, std::move(quote)});
    } else if (plain && !s.value.empty() && s.value.back() == ' ') {
        hints.push_back({Kind::kFullwidthEndedValue, {}});
    }
    if (s.at > 0) hints.push_back({Kind::kTakenFromLater, {}});
    // With the option on, the first fullwidth space would have ended the value.
    if (plain && HasFullwidthSpace(s.value)) hints.push_back({Kind::kFullwidthInValue, {}});
    return hints;
}

}  // namespace

std::string HintText(const Hint& hint, Language language) {
    using Kind = Hint::Kind;
    const bool ja = language == Language::kJapanese;
    const std::string& a = hint.argument;
    switch (hint.kind) {
    case Kind::kPrefixWithoutValue:
        // ARG の後に値がありません。ARG という文字を、既定のフィールドの検索語として検索します。
        return ja ? a + " " + "\x82\xcc\x8c\xe3\x82\xc9\x92l\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B" + a + " " + "\x82\xc6\x82\xa2\x82\xa4\x95\xb6\x8e\x9a\x82\xf0\x81" "A\x8a\xf9\x92\xe8\x82\xcc\x83t\x83" "B\x81[\x83\x8b\x83h\x82\xcc\x8c\x9f\x8d\xf5\x8c\xea\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B"
                  : "nothing follows \"" + a + "\": its text is searched as a word of the default field";
    case Kind::kAttachments:
        // 添付ファイルのあるメールです。
        return ja ? "\x93Y\x95t\x83t\x83@\x83" "C\x83\x8b\x82\xcc\x82\xa0\x82\xe9\x83\x81\x81[\x83\x8b\x82\xc5\x82\xb7\x81" "B" : "messages with attachments";
    case Kind::kFlagWithoutValue:
        // flag: の後に値がありません。
        return ja ? "flag: \x82\xcc\x8c\xe3\x82\xc9\x92l\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B" : "flag: without a value";
    case Kind::kUnclosedQuote:
        // 閉じる " がありません。" も文字として検索します。
        return ja ? "\x95\xc2\x82\xb6\x82\xe9 \x22 \x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B\x22 \x82\xe0\x95\xb6\x8e\x9a\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B" : "no closing double quote: the quote is searched as text";
    case Kind::kMiscasedPrefix:
        // 接頭辞ではありません。接頭辞は小文字で書きます（ARG）。
        return ja ? "\x90\xda\x93\xaa\x8e\xab\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B\x90\xda\x93\xaa\x8e\xab\x82\xcd\x8f\xac\x95\xb6\x8e\x9a\x82\xc5\x8f\x91\x82\xab\x82\xdc\x82\xb7\x81i" + a + "\x81j\x81" "B"
                  : "not a field: prefixes are lower case, as in " + a;
    case Kind::kFullwidthEndedValue:
        // 全角スペースで値が終わりました。全角スペースの代わりに半角スペースがひとつ付きます。
        return ja ? "\x91S\x8ap\x83X\x83y\x81[\x83X\x82\xc5\x92l\x82\xaa\x8fI\x82\xed\x82\xe8\x82\xdc\x82\xb5\x82\xbd\x81" "B\x91S\x8ap\x83X\x83y\x81[\x83X\x82\xcc\x91\xe3\x82\xed\x82\xe8\x82\xc9\x94\xbc\x8ap\x83X\x83y\x81[\x83X\x82\xaa\x82\xd0\x82\xc6\x82\xc2\x95t\x82\xab\x82\xdc\x82\xb7\x81" "B" : "a fullwidth space ended the value (one ASCII space stands for it)";
    case Kind::kTakenFromLater:
        // 検索式の後ろのほうにあったものを、前の検索語より先に取り出しました。
        return ja ? "\x8c\x9f\x8d\xf5\x8e\xae\x82\xcc\x8c\xe3\x82\xeb\x82\xcc\x82\xd9\x82\xa4\x82\xc9\x82\xa0\x82\xc1\x82\xbd\x82\xe0\x82\xcc\x82\xf0\x81" "A\x91O\x82\xcc\x8c\x9f\x8d\xf5\x8c\xea\x82\xe6\x82\xe8\x90\xe6\x82\xc9\x8e\xe6\x82\xe8\x8fo\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81" "B" : "taken first from later in the query";
    case Kind::kFullwidthInValue:
        // 全角スペースも値の一部です（fullwidthspace_separator=1 なら、そこで値が終わります）。
        return ja ? "\x91S\x8ap\x83X\x83y\x81[\x83X\x82\xe0\x92l\x82\xcc\x88\xea\x95\x94\x82\xc5\x82\xb7\x81ifullwidthspace_separator=1 \x82\xc8\x82\xe7\x81" "A\x82\xbb\x82\xb1\x82\xc5\x92l\x82\xaa\x8fI\x82\xed\x82\xe8\x82\xdc\x82\xb7\x81j\x81" "B"
                  : "the fullwidth space is part of the value (fullwidthspace_separator=1 ends it there)";
    case Kind::kEscapedQuote: {
        const std::size_t n = a.size();
        const std::string c = a.substr(n < 2 ? 0 : n - 2);  // its last character
        // 「C」の 2 バイト目は \ と同じ 0x5C なので、その後ろの " はエスケープされ、値を閉じません。
        // 正規表現が要らなければ引用符で囲まずに書くか、"ARG.*" のようにパターンの終わりを変えてください。
        if (ja) return "\x81u" + c + "\x81v\x82\xcc 2 \x83o\x83" "C\x83g\x96\xda\x82\xcd \x5c \x82\xc6\x93\xaf\x82\xb6 0x5C \x82\xc8\x82\xcc\x82\xc5\x81" "A\x82\xbb\x82\xcc\x8c\xe3\x82\xeb\x82\xcc \x22 \x82\xcd\x83G\x83X\x83P\x81[\x83v\x82\xb3\x82\xea\x81" "A\x92l\x82\xf0\x95\xc2\x82\xb6\x82\xdc\x82\xb9\x82\xf1\x81" "B\x90\xb3\x8bK\x95\x5c\x8c\xbb\x82\xaa\x97v\x82\xe7\x82\xc8\x82\xaf\x82\xea\x82\xce\x88\xf8\x97p\x95\x84\x82\xc5\x88\xcd\x82\xdc\x82\xb8\x82\xc9\x8f\x91\x82\xad\x82\xa9\x81" "A" + "\"" + a + ".*\x22 \x82\xcc\x82\xe6\x82\xa4\x82\xc9\x83p\x83^\x81[\x83\x93\x82\xcc\x8fI\x82\xed\x82\xe8\x82\xf0\x95\xcf\x82\xa6\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81" "B";
        return "the double quote after " + c + " does not close the value: the second byte of " + c +
               " is 0x5C, a backslash, which escapes the quote; leave the quotes out when no regular "
               "expression is needed, or end the pattern otherwise, as in \"" + a + ".*\"";
    }
    case Kind::kEmptyQuotes:
        // 引用符の間が空です。"" を文字として検索します。引用符の間にパターンを書くか、この検索語を消してください。
        return ja ? "\x88\xf8\x97p\x95\x84\x82\xcc\x8a\xd4\x82\xaa\x8b\xf3\x82\xc5\x82\xb7\x81" "B\x22\x22 \x82\xf0\x95\xb6\x8e\x9a\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B\x88\xf8\x97p\x95\x84\x82\xcc\x8a\xd4\x82\xc9\x83p\x83^\x81[\x83\x93\x82\xf0\x8f\x91\x82\xad\x82\xa9\x81" "A\x82\xb1\x82\xcc\x8c\x9f\x8d\xf5\x8c\xea\x82\xf0\x8f\xc1\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81" "B"
                  : "nothing between the double quotes: \"\" is searched as text; put the pattern "
                    "between them, or leave the term out";
    case Kind::kFullwidthPrefix:
        // 接頭辞ではありません。接頭辞は英字もコロンも半角で書きます（ARG）。[IME] control=1 にすると、
        // ダイアログを開くときに日本語入力がオフになります。
        return ja ? "\x90\xda\x93\xaa\x8e\xab\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B\x90\xda\x93\xaa\x8e\xab\x82\xcd\x89p\x8e\x9a\x82\xe0\x83R\x83\x8d\x83\x93\x82\xe0\x94\xbc\x8ap\x82\xc5\x8f\x91\x82\xab\x82\xdc\x82\xb7\x81i" + a + "\x81j\x81" "B[IME] control=1 \x82\xc9\x82\xb7\x82\xe9\x82\xc6\x81" "A\x83_\x83" "C\x83" "A\x83\x8d\x83O\x82\xf0\x8aJ\x82\xad\x82\xc6\x82\xab\x82\xc9\x93\xfa\x96{\x8c\xea\x93\xfc\x97\xcd\x82\xaa\x83I\x83t\x82\xc9\x82\xc8\x82\xe8\x82\xdc\x82\xb7\x81" "B"
                  : "not a field: prefixes are typed half-width, letters and colon, as in " + a +
                        " ([IME] control=1 closes the input method as the dialog opens)";
    case Kind::kTypographicQuote:
        // ARG は引用符ではなく、文字として検索されます。引用符で囲んだ検索語（正規表現）は半角の " で囲みます。
        return ja ? a + " \x82\xcd\x88\xf8\x97p\x95\x84\x82\xc5\x82\xcd\x82\xc8\x82\xad\x81" "A\x95\xb6\x8e\x9a\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb3\x82\xea\x82\xdc\x82\xb7\x81" "B\x88\xf8\x97p\x95\x84\x82\xc5\x88\xcd\x82\xf1\x82\xbe\x8c\x9f\x8d\xf5\x8c\xea\x81i\x90\xb3\x8bK\x95\x5c\x8c\xbb\x81j\x82\xcd\x94\xbc\x8ap\x82\xcc \x22 \x82\xc5\x88\xcd\x82\xdd\x82\xdc\x82\xb7\x81" "B"
                  : a + " is no double quote and is searched as text: a quoted value "
                        "(a regular expression) goes between half-width double quotes \"...\"";
    }
    return "";
}

std::string FormName(TranslationStep::Form form, Language language) {
    // By TranslationStep::Form. 引用符で囲まない検索語, 引用符で囲んだ検索語（正規表現）,
    // 添付ファイルあり（attach:*）, フラグ, 値のない接頭辞
    static const char* const kNames[][2] = {
        {"plain", "\x88\xf8\x97p\x95\x84\x82\xc5\x88\xcd\x82\xdc\x82\xc8\x82\xa2\x8c\x9f\x8d\xf5\x8c\xea"},
        {"quoted (regular expression)", "\x88\xf8\x97p\x95\x84\x82\xc5\x88\xcd\x82\xf1\x82\xbe\x8c\x9f\x8d\xf5\x8c\xea\x81i\x90\xb3\x8bK\x95\x5c\x8c\xbb\x81j"},
        {"attachment wildcard", "\x93Y\x95t\x83t\x83@\x83" "C\x83\x8b\x82\xa0\x82\xe8\x81iattach:*\x81j"},
        {"flag", "\x83t\x83\x89\x83O"},
        {"no value", "\x92l\x82\xcc\x82\xc8\x82\xa2\x90\xda\x93\xaa\x8e\xab"},
    };
    static_assert(std::size(kNames) == static_cast<std::size_t>(Form::kNoValue) + 1);
    return kNames[static_cast<int>(form)][language == Language::kJapanese ? 1 : 0];
}

std::string HintsText(const std::vector<Hint>& hints, Language language) {
    std::string text;
    for (const Hint& h : hints)
        text += (text.empty() ? "" : language == Language::kJapanese ? " " : "; ") + HintText(h, language);
    return text;
}

Explanation Explain(const std::string& query, bool subfolders, const QueryContext& context,
                    std::size_t maxPasses, Language language) {
    std::vector<TranslationStep> steps;
    Explanation e{TranslateQuery(query, subfolders, context, &steps, maxPasses), {}};
    for (const TranslationStep& s : steps) {
        ExplainedPass p{Target(s), s.form, FormName(s.form, language), s.value, s.left, Hints(s), ""};
        p.hint = HintsText(p.hints, language);
        e.passes.push_back(std::move(p));
    }
    return e;
}

namespace {

// The fields in the help's words, by FieldKind: 主なヘッダと本文, 件名, 差出人と宛先,
// 差出人, 宛先, 本文, ヘッダ全体, 主なヘッダ, メール全体, メモ, 添付ファイル, フラグ.
const char* const kFieldWords[] = {
    "\x8e\xe5\x82\xc8\x83w\x83" "b\x83_\x82\xc6\x96{\x95\xb6", "\x8c\x8f\x96\xbc", "\x8d\xb7\x8fo\x90l\x82\xc6\x88\xb6\x90\xe6", "\x8d\xb7\x8fo\x90l", "\x88\xb6\x90\xe6",
    "\x96{\x95\xb6", "\x83w\x83" "b\x83_\x91S\x91\xcc", "\x8e\xe5\x82\xc8\x83w\x83" "b\x83_", "\x83\x81\x81[\x83\x8b\x91S\x91\xcc", "\x83\x81\x83\x82", "\x93Y\x95t\x83t\x83@\x83" "C\x83\x8b", "\x83t\x83\x89\x83O",
};
static_assert(std::size(kFieldWords) == kFieldCount, "a word for every field");

// 「VALUE」
std::string Quoted(const std::string& value) { return "\x81u" + value + "\x81v"; }

bool IsTrap(const Hint& hint) { return hint.kind != Hint::Kind::kAttachments; }

}  // namespace

std::string QueryHint(const std::string& query, const QueryContext& context) {
    const std::size_t end = text::CharactersWithin(query, kHintBytes);
    // 長い検索式の最初の 4 KiB:
    const std::string lead = end < query.size() ? "\x92\xb7\x82\xa2\x8c\x9f\x8d\xf5\x8e\xae\x82\xcc\x8d\xc5\x8f\x89\x82\xcc 4 KiB: " : "";
    std::vector<TranslationStep> steps;
    TranslateQuery(query.substr(0, end), false, context, &steps, SIZE_MAX, false);
    for (const TranslationStep& s : steps)
        for (const Hint& h : Hints(s))
            if (IsTrap(h)) return lead + HintText(h, Language::kJapanese);
    std::string terms, flags;
    for (const TranslationStep& p : steps) {
        if (terms.size() + flags.size() > kHintShown) break;  // more than the line shows
        if (p.form == TranslationStep::Form::kWildcard) {
            flags += (flags.empty() ? "" : " ") + std::string("\x93Y\x95t\x83t\x83@\x83" "C\x83\x8b\x82\xa0\x82\xe8");  // 添付ファイルあり
        } else if (p.form == TranslationStep::Form::kFlag) {
            flags += (flags.empty() ? "" : " ") + std::string(kFieldWords[Row(FieldKind::kFlag)]) + Quoted(p.value);
        } else {
            // FIELD「VALUE」（正規表現） かつ ...
            terms += (terms.empty() ? "" : " \x82\xa9\x82\xc2 ") + std::string(kFieldWords[Row(p.kind)]) +
                     Quoted(p.value) + (p.form == TranslationStep::Form::kQuoted ? "\x81i\x90\xb3\x8bK\x95\x5c\x8c\xbb\x81j" : "");
        }
    }
    return lead + terms + (terms.empty() || flags.empty() ? "" : " ") + flags;
}

std::string ExplanationText(const Explanation& explanation) {
    std::string out = explanation.pack + "\n";
    int n = 0;
    for (const ExplainedPass& p : explanation.passes) {
        out += "  " + std::to_string(++n) + ". " + p.target + ", " + p.formName + ": [" + p.value +
               "] left [" + p.left + "]" + (p.hint.empty() ? "" : " -- " + p.hint) + "\n";
    }
    return out;
}

}  // namespace zms
