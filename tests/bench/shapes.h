// The queries the benchmarks time: the examples a person types, and long
// queries of several shapes. Shared by the native benchmark
// (translate_bench.cpp) and the timing program of the deliverables
// (deliverable_timing.cpp), so that both time the same inputs.
#pragma once
#include <cstddef>
#include <iterator>
#include <string>

namespace zms::bench {

inline const char* const kExamples[] = {
    "abc", "subject:meeting from:sales", "subject:\"weekly report\"", "\"a b\" cd", "attach:*",
    "flag:a flag:b attach:*", "attach:report attach:*", "attach:*.pdf", "subject:\"abc",
    "subject: abc", "flag: abc", "   abc  ", "subject:abc subject:\"x y\"", "Subject:abc",
    "from+to:office", "smallheader:x smallheaderbody:y", "subject:\"a\\\"b\" cd",
    "subject:abc\x81\x40" "def", "subject:abc\x81\x40" "from:def", "\x81\x40" "abc\x81\x40"};
inline constexpr std::size_t kExampleCount = std::size(kExamples);

// `unit` repeated until the text holds at least `bytes` bytes.
inline std::string Fill(const std::string& unit, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes) s += unit;
    return s;
}

struct Shape {
    const char* name;
    std::string (*make)(std::size_t bytes);
};

inline const Shape kShapes[] = {
    {"plain_terms", [](std::size_t n) { return Fill("abc ", n); }},
    {"field_terms", [](std::size_t n) { return Fill("subject:abc from:def attach:x ", n); }},
    {"no_value_prefixes", [](std::size_t n) { return Fill("subject: ", n); }},
    {"one_quoted_term", [](std::size_t n) { return "subject:\"" + Fill("a\\\"b ", n) + "\""; }},
    {"fullwidth_separated", [](std::size_t n) { return Fill("ab\x81\x40", n); }},
    {"later_terms_of_the_field", [](std::size_t n) { return "subject: " + Fill("subject:x ", n); }},
    {"wildcards", [](std::size_t n) { return "attach:a " + Fill("attach:* ", n); }},
};
inline constexpr std::size_t kShapeCount = std::size(kShapes);

// The two sizes every shape is timed at: 64 KiB and 1 MiB.
inline constexpr std::size_t kSizes[] = {std::size_t{64} << 10, std::size_t{1} << 20};

}  // namespace zms::bench
