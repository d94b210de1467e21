// The fields a query term can name: what the user types, what the host calls it.
#pragma once
#include <cstddef>

namespace zms {

struct Field {
    int kind;             // row number, the FieldKind
    const char* target;   // the host's name, written after ",target="
    const char* prefix;   // what the user types: the target name and a colon
    const char* pattern;  // the prefix as a regular expression matching exactly it
};

inline constexpr Field kFields[] = {
    {0, "smallheaderbody", "smallheaderbody:", "smallheaderbody:"},
    {1, "subject", "subject:", "subject:"},
    {2, "from+to", "from+to:", "from\\+to:"},
    {3, "from", "from:", "from:"},
    {4, "to", "to:", "to:"},
    {5, "body", "body:", "body:"},
    {6, "header", "header:", "header:"},
    {7, "smallheader", "smallheader:", "smallheader:"},
    {8, "all", "all:", "all:"},
    {9, "memo", "memo:", "memo:"},
    {10, "attach", "attach:", "attach:"},
    {11, "flag", "flag:", "flag:"},
};

inline constexpr int kFieldCount = sizeof(kFields) / sizeof(kFields[0]);
inline constexpr int kDefaultField = 0;
inline constexpr int kAttachField = 10;
inline constexpr int kFlagField = 11;

// An attachment term names this header instead of its target name.
inline constexpr const char* kAttachTarget = "\"X-Attach\"";
inline constexpr const char* kAttachWildcard = "attach:*";

namespace field_table_detail {
constexpr std::size_t Length(const char* s) {
    std::size_t n = 0;
    while (s[n] != '\0') ++n;
    return n;
}
// prefix == target + ":"
constexpr bool PrefixIsTargetAndColon(const Field& f) {
    std::size_t n = Length(f.target);
    for (std::size_t i = 0; i < n; ++i)
        if (f.prefix[i] != f.target[i]) return false;
    return f.prefix[n] == ':' && f.prefix[n + 1] == '\0';
}
// The pattern spells the prefix, with a backslash before each regex
// metacharacter and nowhere else.
constexpr bool PatternSpellsPrefix(const Field& f) {
    std::size_t p = 0;
    for (std::size_t i = 0; f.prefix[i] != '\0'; ++i, ++p) {
        char c = f.prefix[i];
        bool meta = c == '+' || c == '.' || c == '*' || c == '?' || c == '(' || c == ')' ||
                    c == '[' || c == ']' || c == '{' || c == '}' || c == '|' || c == '^' ||
                    c == '$' || c == '\\';
        if (meta && f.pattern[p++] != '\\') return false;
        if (f.pattern[p] != c) return false;
    }
    return f.pattern[p] == '\0';
}
constexpr bool TableIsSound() {
    for (int k = 0; k < kFieldCount; ++k) {
        if (kFields[k].kind != k) return false;
        if (!PrefixIsTargetAndColon(kFields[k]) || !PatternSpellsPrefix(kFields[k])) return false;
    }
    return true;
}
}  // namespace field_table_detail

static_assert(kFieldCount == 12, "twelve fields");
static_assert(field_table_detail::TableIsSound(),
              "every row's kind is its index, its prefix is its target name and a colon, "
              "and its pattern matches exactly its prefix");
static_assert(kFields[kAttachField].kind == kAttachField && kFields[kFlagField].kind == kFlagField);

}  // namespace zms
