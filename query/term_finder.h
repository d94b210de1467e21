// Where the terms of a query may begin: the leftmost occurrence of each of a
// few fixed literals, in a text that is edited while it is read. The finder
// knows nothing of what the literals mean; the rules (query_translator.cpp) do.
//
// Invariant: no occurrence of a literal starts before its mark.
//
// A search reads forward from the mark and leaves the mark where it found the
// literal. An edit moves the marks with the text and, since an occurrence can
// appear only where it straddles the edit, looks there only. So the searches
// of a translation read the text about once, not once per term.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "query/query_text.h"

namespace zms {

// A fixed byte string, with a byte that must not follow it (then some byte
// must), or with none (-1).
struct Literal {
    std::string text;
    int notFollowedBy = -1;
};

// The literals of the finders, numbered as they are added; made once.
struct LiteralSet {
    int Add(Literal literal);

    std::vector<Literal> literals;
    std::array<std::uint32_t, 256> byFirstByte{};  // bit i: literal i begins with the byte
    std::size_t widest = 0;                         // the most bytes an occurrence covers
};

class TermFinder {
public:
    TermFinder(const std::string& text, const LiteralSet& literals);

    const QueryText& text() const { return text_; }
    // The leftmost occurrence of the literal, or QueryText::npos.
    std::size_t Leftmost(int literal);

    // Every edit of the text goes through here, to keep the marks true.
    void Erase(std::size_t pos, std::size_t count);
    void Prepend(std::string_view bytes);

    // Besides, one place the caller has read the text from, to its end: it
    // moves with the text, and is dropped (npos) when text from it on goes.
    void Keep(std::size_t pos) { kept_ = pos; }
    std::size_t kept() const { return kept_; }

private:
    bool OccursAt(int literal, std::size_t pos) const;
    void Recheck(std::size_t from, std::size_t to);  // new occurrences beginning in [from, to)

    QueryText text_;
    const LiteralSet& set_;
    std::vector<std::size_t> marks_;
    std::size_t kept_ = QueryText::npos;
};

}  // namespace zms
