#include "query_reference.h"

#include <vector>

#include <boost/regex.hpp>

#include "query/field_table.h"

namespace zms::reference {

namespace {

bool StartsWith(const std::string& s, std::string_view p) { return s.compare(0, p.size(), p) == 0; }

void Remove(std::string& s, const boost::regex& re) {
    s = boost::regex_replace(s, re, "", boost::format_all);
}

// A match of a pattern anchored at the end lies wholly inside the query's last
// run of the bytes it is made of: the regex runs on that run only (searched
// from every start of the whole query, it made each trim quadratic).
void RemoveAtEnd(std::string& s, const boost::regex& re, const char* bytes) {
    const std::size_t last = s.find_last_not_of(bytes);
    const std::size_t run = last == std::string::npos ? 0 : last + 1;
    std::string end = s.substr(run);
    Remove(end, re);
    s.replace(run, std::string::npos, end);
}

FieldKind Classify(const std::string& q) {
    if (!q.empty() && q[0] == '"') return kDefaultField;
    for (const Field& f : kFields)
        if (StartsWith(q, f.prefix)) return f.kind;
    return kDefaultField;
}

void AddFlag(std::string& flags, const std::string& item) {
    flags += flags.empty() ? "flag=" + item : "&" + item;
}

// The two patterns of each field, quoted value and plain value, compiled once;
// the prefix stands between \Q and \E, which match it literally.
struct FieldPatterns {
    boost::regex quoted, plain;
};

const FieldPatterns& PatternsOf(FieldKind kind) {
    static const std::vector<FieldPatterns> patterns = [] {
        std::vector<FieldPatterns> all;
        for (const Field& f : kFields) {
            const std::string prefix = "\\Q" + std::string(f.prefix) + "\\E";
            all.push_back({boost::regex(prefix + "(?<!\\\\)\"(\\\\.|[^\\\\\"])+\""),
                           boost::regex(prefix + "([^\" ]{0,1}[^ ]+)")});
        }
        return all;
    }();
    return patterns[Row(kind)];
}

}  // namespace

// The ends of the query only: Boost's ^ and $ would also match around line
// breaks inside it.
void TrimQuery(std::string& query, bool fullwidth) {
    static const boost::regex leadingWide("\\A(?: |\x81\x40)+"), trailingWide("(?: |\x81\x40)+\\z");
    static const boost::regex leading("\\A +"), trailing(" +\\z");
    Remove(query, fullwidth ? leadingWide : leading);
    RemoveAtEnd(query, fullwidth ? trailingWide : trailing, fullwidth ? " \x81\x40" : " ");
}

void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags,
                 bool fullwidth) {
    const Field& f = FieldOf(kind);
    if (kind == FieldKind::kAttach) {
        std::size_t at = query.find("attach:*");
        if (at != std::string::npos) {
            query.erase(at, 8);
            AddFlag(flags, "attach");
            return;
        }
    }
    if (kind == FieldKind::kFlag) {
        query.erase(0, 5);
        std::size_t sp = query.find(' ');
        std::string value = sp == std::string::npos ? query : query.substr(0, sp);
        query.erase(0, value.size());
        AddFlag(flags, value);
        return;
    }
    boost::smatch m;
    bool quoted = boost::regex_search(query, m, PatternsOf(kind).quoted);
    if (!quoted && !boost::regex_search(query, m, PatternsOf(kind).plain)) {
        query = "smallheaderbody:" + query;
        return;
    }
    std::string matched = m.str(0);
    std::string value = matched.substr(std::string(f.target).size() + 1);
    if (!pack.empty() && pack.back() == ')') pack += "and";
    if (quoted) {
        pack += "(" + value + ",regular";
    } else {
        std::size_t p = fullwidth ? value.find("\x81\x40") : std::string::npos;
        if (p != std::string::npos) {
            value = value.substr(0, p) + " ";
            matched = matched.substr(0, std::string(f.target).size() + p + 3);
        }
        pack += "(\"" + value + "\"";
    }
    pack += kind == FieldKind::kAttach ? ",target=\"X-Attach\")" : ",target=" + std::string(f.target) + ")";
    query.erase(query.find(matched), matched.size());
}

std::string TranslateQuery(std::string query, Scope scope, bool fullwidth) {
    std::string pack, flags;
    TrimQuery(query, fullwidth);
    while (!query.empty()) {
        FieldKind kind = Classify(query);
        if (kind == kDefaultField && !StartsWith(query, "smallheaderbody:")) query = "smallheaderbody:" + query;
        ConvertTerm(kind, query, pack, flags, fullwidth);
        TrimQuery(query, fullwidth);
    }
    if (!flags.empty()) pack += (pack.empty() ? "" : ",") + flags;
    pack += scope == Scope::kFolderAndSubfolders ? ",subfolder=1" : ",subfolder=0";
    return pack + ",hilight=1";
}

}  // namespace zms::reference
