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
#include "tests/bench/shapes.h"

namespace {

using zms::bench::kExamples;
using zms::bench::kShapes;
using zms::bench::Shape;

// One profile file for the run, with the option as the benchmark asks.
class Profile {
public:
    Profile()
        : path_((std::filesystem::temp_directory_path() / "zms-bench-profile.ini").string()),
          store_(path_.c_str()) {
        for (int i = 0; i < 20; ++i)  // a lived-in file: a full history
            store_.WriteString("History", ("history" + std::to_string(i)).c_str(), "subject:older");
    }
    ~Profile() {
        std::filesystem::remove(path_);
    }
    void SetFullwidth(bool on) {
        store_.WriteString("Option", "fullwidthspace_separator", on ? "1" : "0");
    }

    // The plug-in's context over this file; the host's YenEncode is not bound.
    zms::QueryContext Context() const { return zms::SearchQueryContext(store_, host_); }

private:
    std::string path_;
    zms::ProfileStore store_;
    zms::HostLink host_;
};

Profile& TheProfile() {
    static Profile profile;
    return profile;
}

void BM_Examples(benchmark::State& state) {
    TheProfile().SetFullwidth(state.range(0) != 0);
    const zms::QueryContext context = TheProfile().Context();
    for (auto _ : state)
        for (const char* q : kExamples)
            benchmark::DoNotOptimize(zms::TranslateQuery(q, false, context));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(std::size(kExamples)));
    state.SetLabel("per item = one example query");
}
BENCHMARK(BM_Examples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Shape(benchmark::State& state) {
    const Shape& shape = kShapes[state.range(0)];
    const std::size_t bytes = static_cast<std::size_t>(state.range(1));
    TheProfile().SetFullwidth(state.range(2) != 0);
    std::string query = shape.make(bytes);
    const zms::QueryContext context = TheProfile().Context();
    for (auto _ : state) benchmark::DoNotOptimize(zms::TranslateQuery(query, false, context));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(query.size()));
    state.SetLabel(std::string(shape.name) + (state.range(2) ? " option on" : " option off"));
}

void ShapeArgs(benchmark::internal::Benchmark* b) {
    for (int s = 0; s < static_cast<int>(std::size(kShapes)); ++s)
        for (std::size_t bytes : zms::bench::kSizes)
            for (int on : {0, 1}) b->Args({s, static_cast<int64_t>(bytes), on});
}
BENCHMARK(BM_Shape)->Apply(ShapeArgs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
