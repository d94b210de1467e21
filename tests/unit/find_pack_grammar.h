// Reads a find pack back into its pieces, by the structure the translator
// builds, for tests and fuzzers that check what it produces:
//
//   pack  = [terms] [flags] ",subfolder=" ("0" | "1") ",hilight=1"
//   terms = term *("and" term)
//   term  = "(\"" PLAIN "\",target=" name ")"          plain (kinds 0..9)
//         | "(\"" PLAIN "\",target=\"X-Attach\")"       plain attachment
//         | "(\"" QUOTED "\",regular,target=" name ")"  quoted (and "X-Attach")
//   flags = ("," if there are terms) "flag=" ITEMS
//
// PLAIN is one or more bytes without an ASCII space, except that its last byte
// may be one (a value cut at a fullwidth space). QUOTED is one or more items,
// each a backslash and any byte or a byte that is neither a backslash nor a
// double quote. ITEMS is any run of bytes without an ASCII space. `name` is a
// target name of the field table other than "attach" and "flag".
//
// What this cannot tell: values may hold any bytes, so "and", ",target=" and
// ")" inside a value can make a pack readable in more than one way. The reader
// accepts a pack when at least one reading exists and returns one of them; it
// cannot say which reading the translator meant, nor split the flag items
// (an item may itself hold "&").
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zms::test {

struct PackTerm {
    bool quoted = false;
    std::string value;   // plain: the value between the quotes; quoted: the text with its quotes
    std::string target;  // a field table target name, or "\"X-Attach\""
};

struct ParsedPack {
    std::vector<PackTerm> terms;
    bool hasFlags = false;
    std::string flagItems;  // what follows "flag="
    int subfolder = 0;
};

// The pack's pieces, or nothing when it does not follow the grammar above; then
// `why` (if given) says where reading stopped.
std::optional<ParsedPack> ParseFindPack(const std::string& pack, std::string* why = nullptr);

}  // namespace zms::test
