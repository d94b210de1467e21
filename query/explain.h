// Why a query became what it did, pass by pass: rows for a page to show, and
// the text zms-translate --explain prints.
#pragma once
#include <string>
#include <vector>

#include "query/query_translator.h"

namespace zms {

// A reason why a pass may surprise: its kind and its argument, which HintText
// words in English or Japanese.
struct Hint {
    enum class Kind {
        kPrefixWithoutValue,   // argument: the prefix, whose text is searched as a word
        kAttachments,          // "attach:*": messages with attachments
        kFlagWithoutValue,     // "flag:" and nothing after it
        kUnclosedQuote,        // the quote is searched as text
        kMiscasedPrefix,       // argument: the prefix in its own case
        kFullwidthEndedValue,  // the option on: a fullwidth space ended the value
        kTakenFromLater,       // the condition stood later in the query, and went first
        kFullwidthInValue,     // the option off: a fullwidth space is part of the value
        kEscapedQuote,         // argument: the value's text from the opening quote up to a
                               // double-byte character whose second byte (0x5C) escaped the
                               // quote after it
        kEmptyQuotes,          // "": searched as text
        kFullwidthPrefix,      // argument: the prefix meant, typed with fullwidth letters or colon
        kTypographicQuote,     // argument: the curly or fullwidth quote at an end of the value
    };
    Kind kind;
    std::string argument;
};

// The words of the reasons and of the forms, written once for every place
// that shows them (zms-translate --explain, the playground, the dialog):
// English, or Japanese in code page 932 bytes.
enum class Language { kEnglish, kJapanese };
std::string HintText(const Hint& hint, Language language = Language::kEnglish);
// The hints' words, "; " between them in English, a space in Japanese.
std::string HintsText(const std::vector<Hint>& hints, Language language);
// "plain", "quoted (regular expression)", "attachment wildcard", "flag", "no value".
std::string FormName(TranslationStep::Form form, Language language);

struct ExplainedPass {
    std::string target;  // the field's target name; "X-Attach" for an attachment term
    TranslationStep::Form form;
    std::string formName;     // FormName in the explanation's language
    std::string value;        // as typed
    std::string left;         // the query still to be translated after the pass
    std::vector<Hint> hints;  // in the order --explain words them
    std::string hint;         // HintsText in the explanation's language, or ""
};

struct Explanation {
    std::string pack;  // as TranslateQuery gives it
    std::vector<ExplainedPass> passes;
};

// The passes: the first `maxPasses` of them, worded in `language`.
Explanation Explain(const std::string& query, bool subfolders, const QueryContext& context,
                    std::size_t maxPasses = SIZE_MAX, Language language = Language::kEnglish);

// The dialog's hint line for a query as the search reads it (trimmed, not a
// command), in Japanese: the first trap's reason, else what will be searched,
// each condition's field in the help's words and its value, joined by かつ,
// then the flags, as far as the line shows them (about kHintShown bytes). A
// query longer than kHintBytes is read up to there only (so a pasted megabyte
// costs what 4 KiB does), and the hint says so.
inline constexpr std::size_t kHintBytes = 4096;
inline constexpr std::size_t kHintShown = 512;
std::string QueryHint(const std::string& query, const QueryContext& context);

// The find pack, then per pass "  1. subject, plain: [abc] left [x]" with
// " -- " and the hint if there is one; each on a line.
std::string ExplanationText(const Explanation& explanation);

}  // namespace zms
