#include "find_pack_grammar.h"

#include <algorithm>
#include <cstring>

#include "query/field_table.h"

namespace zms::test {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr const char kPlainClose[] = "\",target=";
constexpr const char kQuotedClose[] = ",regular,target=";
constexpr const char kFlags[] = "flag=";
constexpr const char kAnd[] = "and";
constexpr std::size_t kSuffixLength = 22;  // ",subfolder=N,hilight=1"

bool At(const std::string& s, std::size_t pos, const char* literal) {
    const std::size_t n = std::strlen(literal);
    return pos <= s.size() && s.size() - pos >= n && s.compare(pos, n, literal) == 0;
}

// The names a term may carry: the targets of the fields that form terms.
const std::vector<std::string>& TargetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const Field& f : kFields)
            if (f.kind != FieldKind::kAttach && f.kind != FieldKind::kFlag) out.emplace_back(f.target);
        out.emplace_back(kAttachTarget);
        return out;
    }();
    return names;
}

// One term of a reading: its bytes [start, end) of the body.
struct Step {
    long previous;  // the step of the term before it, -1 for the first
    std::size_t start, end;
    bool quoted;
    std::size_t valueBegin, valueEnd;
    const std::string* target;
};

class Reader {
public:
    explicit Reader(const std::string& body) : b_(body), n_(body.size()) {
        for (std::size_t k = b_.find(kPlainClose); k != npos; k = b_.find(kPlainClose, k + 1))
            plainEnds_.push_back(k);
        nextSpace_.assign(n_ + 1, n_);
        for (std::size_t i = n_; i-- > 0;) nextSpace_[i] = b_[i] == ' ' ? i : nextSpace_[i + 1];
    }

    // Terms are read left to right, each start once. A plain term ends at a ",target=" whose outcome (where the next
    // term starts, whether the flags follow) does not depend on where the term
    // began, so every such end is looked at once, from the first start that
    // reaches it: linear in the body.
    std::optional<ParsedPack> Read(std::string* why) {
        ParsedPack out;
        if (TailIsFlags(0, false, out)) return out;  // no terms
        std::vector<long>& reachedBy = reachedBy_;
        reachedBy.assign(n_ + 1, kUnreached);
        reachedBy[0] = -1;
        std::size_t plainDone = 0;  // plainEnds_[0, plainDone) were looked at
        long found = -1;            // the last term of the reading returned
        for (std::size_t i = 0; i < n_; ++i) {
            if (reachedBy[i] == kUnreached || !At(b_, i, "(\"")) continue;
            starts_.push_back(i);
            auto consider = [&](Step step) {
                if (step.end == npos) return;
                step.previous = reachedBy[i];
                steps_.push_back(step);
                const long index = static_cast<long>(steps_.size()) - 1;
                if (TailIsFlags(step.end, true, out)) {
                    found = index;
                    return;
                }
                const std::size_t next = step.end + std::strlen(kAnd);
                if (At(b_, step.end, kAnd) && next < n_ && reachedBy[next] == kUnreached)
                    reachedBy[next] = index;
            };
            consider(QuotedAt(i));
            const std::size_t first = i + 2;
            const std::size_t last = std::min(nextSpace_[first] + 1, n_);
            std::size_t e = std::max<std::size_t>(
                plainDone, std::lower_bound(plainEnds_.begin(), plainEnds_.end(), first + 1) -
                               plainEnds_.begin());
            for (; e < plainEnds_.size() && plainEnds_[e] <= last; ++e)
                consider(PlainEndingAt(i, plainEnds_[e]));
            plainDone = std::max(plainDone, e);
        }
        if (found >= 0) return Finish(found, out);
        if (why) *why = "no reading of the terms and flags in: " + b_;
        return std::nullopt;
    }

private:
    static constexpr long kUnreached = -2;

    // The reading that ends with `step`, each term from the latest start that
    // reaches its end: the shortest terms, read from the right.
    ParsedPack& Finish(long step, ParsedPack& out) const {
        for (long s = step; s >= 0;) {
            const Step& t = steps_[s];
            std::size_t start = t.start;
            for (auto it = std::lower_bound(starts_.begin(), starts_.end(), t.end); it != starts_.begin();) {
                const std::size_t candidate = *--it;
                if (candidate <= t.start) break;
                if (t.quoted ? QuotedAt(candidate).end == t.end
                             : t.valueEnd >= candidate + 3 && nextSpace_[candidate + 2] + 1 >= t.valueEnd) {
                    start = candidate;
                    break;
                }
            }
            const std::size_t valueBegin = t.quoted ? start + 1 : start + 2;
            out.terms.push_back({t.quoted, b_.substr(valueBegin, t.valueEnd - valueBegin), *t.target});
            s = start == 0 ? -1 : reachedBy_[start];
        }
        std::reverse(out.terms.begin(), out.terms.end());
        return out;
    }

    // The rest from `pos` is empty (after terms) or the flag part.
    bool TailIsFlags(std::size_t pos, bool afterTerms, ParsedPack& out) const {
        if (pos == n_) {
            out.hasFlags = false;
            return afterTerms || n_ == 0;
        }
        if (afterTerms) {
            if (b_[pos] != ',') return false;
            ++pos;
        }
        if (!At(b_, pos, kFlags) || nextSpace_[pos] != n_) return false;
        out.hasFlags = true;
        out.flagItems = b_.substr(pos + std::strlen(kFlags));
        return true;
    }

    // A target name and ")" at `pos`: the position after the ")", or npos.
    std::size_t NameAt(std::size_t pos, const std::string*& target) const {
        for (const std::string& name : TargetNames()) {
            if (At(b_, pos, name.c_str()) && pos + name.size() < n_ && b_[pos + name.size()] == ')') {
                target = &name;
                return pos + name.size() + 1;
            }
        }
        return npos;
    }

    // The quoted text ends at the first double quote that no backslash escapes.
    Step QuotedAt(std::size_t i) const {
        Step s{-1, i, npos, true, i + 1, 0, nullptr};
        std::size_t k = i + 2;
        while (k < n_ && b_[k] != '"') k += b_[k] == '\\' ? 2 : 1;
        if (k < n_ && k > i + 2 && At(b_, k + 1, kQuotedClose)) {
            s.valueEnd = k + 1;
            s.end = NameAt(k + 1 + std::strlen(kQuotedClose), s.target);
        }
        return s;
    }

    Step PlainEndingAt(std::size_t i, std::size_t close) const {
        Step s{-1, i, npos, false, i + 2, close, nullptr};
        s.end = NameAt(close + std::strlen(kPlainClose), s.target);
        return s;
    }

    const std::string& b_;
    const std::size_t n_;
    std::vector<std::size_t> plainEnds_;
    std::vector<std::size_t> nextSpace_;
    std::vector<Step> steps_;
    std::vector<long> reachedBy_;     // the step ending before the "and" in front of a start
    std::vector<std::size_t> starts_;  // the starts reached, in order
};

}  // namespace

std::optional<ParsedPack> ParseFindPack(const std::string& pack, std::string* why) {
    if (pack.size() < kSuffixLength) {
        if (why) *why = "shorter than the suffixes";
        return std::nullopt;
    }
    const std::size_t body = pack.size() - kSuffixLength;
    int subfolder;
    if (At(pack, body, ",subfolder=0,hilight=1")) {
        subfolder = 0;
    } else if (At(pack, body, ",subfolder=1,hilight=1")) {
        subfolder = 1;
    } else {
        if (why) *why = "does not end with the subfolder and highlight suffixes";
        return std::nullopt;
    }
    const std::string front = pack.substr(0, body);
    std::optional<ParsedPack> out = Reader(front).Read(why);
    if (out) out->subfolder = subfolder;
    return out;
}

}  // namespace zms::test
