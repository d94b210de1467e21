// Finds the leftmost term of a field in the query without searching the whole
// query on every pass.
//
// Every search the translation makes is for the leftmost place where a fixed
// literal stands (a field prefix followed by a double quote, or by a byte that
// is no space, or the wildcard "attach:*") and then reads forward from there.
// For each literal the finder keeps a mark: no occurrence starts before it. An
// edit can create an occurrence only where the literal straddles the edit, so
// edits move the marks and look at those few places; a search starts from the
// mark. All edits of the query go through the finder to keep the marks true.
#pragma once
#include <cstddef>
#include <vector>

#include "query/field_table.h"
#include "query/query_text.h"

namespace zms {

struct TermMatch {
    std::size_t begin = QueryText::npos;  // npos: no match
    std::size_t end = 0;                  // one past the match
    bool found() const { return begin != QueryText::npos; }
};

class TermFinder {
public:
    explicit TermFinder(const std::string& query);

    const QueryText& text() const { return text_; }

    // The wildcard "attach:*", leftmost.
    TermMatch FindWildcard();
    // prefix, a double quote, one or more items (a backslash and any byte, or a
    // byte that is neither backslash nor double quote), a double quote; leftmost.
    TermMatch FindQuoted(int kind);
    // The leftmost place where the prefix is followed by a byte that is no
    // space; `end` is left for the caller, who reads the value from there.
    TermMatch FindPlain(int kind);

    void EraseFront(std::size_t count);
    void EraseBack(std::size_t count);
    void Erase(std::size_t pos, std::size_t count);
    void PrependDefaultPrefix();

private:
    struct Mark {
        std::size_t from = 0;                 // no occurrence starts before this
        std::size_t failed = QueryText::npos;  // an unclosed quoted candidate
    };
    bool OccursAt(int literal, std::size_t pos) const;
    std::size_t Scan(int literal, std::size_t from) const;
    // After text changed at [pos, pos + inserted) (nothing inserted for a
    // removal), look for new occurrences straddling that place.
    void Recheck(int literal, std::size_t lo, std::size_t hi);

    QueryText text_;
    std::vector<Mark> marks_;
};

}  // namespace zms
