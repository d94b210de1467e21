// Time to translate queries: the examples a person types, and 64 KiB and 1 MiB
// queries of several shapes, with the fullwidth-space option read from a real
// profile file, on and off.
//   build/native/tests/bench/zms_translate_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "plugin/query_context.h"
#include "query/query_translator.h"
#include "settings/profile_store.h"

namespace {

const char* const kExamples[] = {
    "abc", "subject:meeting from:sales", "subject:\"weekly report\"", "\"a b\" cd", "attach:*",
    "flag:a flag:b attach:*", "attach:report attach:*", "attach:*.pdf", "subject:\"abc",
    "subject: abc", "flag: abc", "   abc  ", "subject:abc subject:\"x y\"", "Subject:abc",
    "from+to:office", "smallheader:x smallheaderbody:y", "subject:\"a\\\"b\" cd",
    "subject:abc\x81\x40" "def", "subject:abc\x81\x40" "from:def", "\x81\x40" "abc\x81\x40"};

std::string Fill(const std::string& unit, std::size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes) s += unit;
    return s;
}

struct Shape {
    const char* name;
    std::string (*make)(std::size_t);
};

const Shape kShapes[] = {
    {"plain_terms", [](std::size_t n) { return Fill("abc ", n); }},
    {"field_terms", [](std::size_t n) { return Fill("subject:abc from:def attach:x ", n); }},
    {"no_value_prefixes", [](std::size_t n) { return Fill("subject: ", n); }},
    {"one_quoted_term", [](std::size_t n) { return "subject:\"" + Fill("a\\\"b ", n) + "\""; }},
    {"fullwidth_separated", [](std::size_t n) { return Fill("ab\x81\x40", n); }},
    {"later_terms_of_the_field", [](std::size_t n) { return "subject: " + Fill("subject:x ", n); }},
    {"wildcards", [](std::size_t n) { return "attach:a " + Fill("attach:* ", n); }},
};

// One profile file for the run, with the option as the benchmark asks.
class Profile {
public:
    Profile()
        : path_((std::filesystem::temp_directory_path() / "zms-bench-profile.ini").string()),
          store_(path_.c_str()) {
        zms::g_profileStore = &store_;
        for (int i = 0; i < 20; ++i)  // a lived-in file: a full history
            store_.WriteString("History", ("history" + std::to_string(i)).c_str(), "subject:older");
    }
    ~Profile() {
        zms::g_profileStore = nullptr;
        std::filesystem::remove(path_);
    }
    void SetFullwidth(bool on) {
        store_.WriteString("Option", "fullwidthspace_separator", on ? "1" : "0");
    }

private:
    std::string path_;
    zms::ProfileStore store_;
};

Profile& TheProfile() {
    static Profile profile;
    return profile;
}

void BM_Examples(benchmark::State& state) {
    TheProfile().SetFullwidth(state.range(0) != 0);
    const zms::QueryContext context = zms::SearchQueryContext();
    for (auto _ : state)
        for (const char* q : kExamples) benchmark::DoNotOptimize(zms::TranslateQuery(q, 1001, context));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(kExamples)));
    state.SetLabel("per item = one example query");
}
BENCHMARK(BM_Examples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Shape(benchmark::State& state) {
    const Shape& shape = kShapes[state.range(0)];
    const std::size_t bytes = static_cast<std::size_t>(state.range(1));
    TheProfile().SetFullwidth(state.range(2) != 0);
    std::string query = shape.make(bytes);
    const zms::QueryContext context = zms::SearchQueryContext();
    for (auto _ : state) benchmark::DoNotOptimize(zms::TranslateQuery(query, 1001, context));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(query.size()));
    state.SetLabel(std::string(shape.name) + (state.range(2) ? " option on" : " option off"));
}

void ShapeArgs(benchmark::internal::Benchmark* b) {
    for (int s = 0; s < static_cast<int>(std::size(kShapes)); ++s)
        for (int64_t bytes : {int64_t{64} << 10, int64_t{1} << 20})
            for (int on : {0, 1}) b->Args({s, bytes, on});
}
BENCHMARK(BM_Shape)->Apply(ShapeArgs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
