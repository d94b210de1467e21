// Time to translate the queries of shapes.h as the plug-in does: through
// SearchQueryContext(), with the fullwidth-space option read from a real
// profile file through a ProfileStore, so that on Windows every
// read is the platform's profile call under its named mutex. Built natively,
// for win64 and for win32; scripts/bench.sh runs it under wine.
//   zms_translate_timing [--runs N] [FILTER]
// FILTER keeps the rows whose name holds it. Each row is timed up to N runs
// (5 by default) or about two seconds, at least once; see timing.h for the
// lines printed. The note gives how often the option was read per
// translation. The host's YenEncode is not bound: plain values go as typed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugin/query_context.h"
#include "plugin/search_hint.h"
#include "query/query_translator.h"
#include "settings/profile_store.h"
#include "tests/bench/shapes.h"
#include "tests/bench/timing.h"
#include "tests/unit/temp_dir.h"

namespace zms::bench {
namespace {

constexpr double kBudgetMs = 2000;

struct Options {
    int runs = 5;
    std::string filter;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) options.runs = std::atoi(argv[++i]);
        else options.filter = arg;
    }
    if (options.runs < 1) Fail("--runs wants a number of at least 1");
    return options;
}

std::string SizeName(std::size_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + "B";
    return bytes >= (std::size_t{1} << 20) ? std::to_string(bytes >> 20) + "MiB"
                                           : std::to_string(bytes >> 10) + "KiB";
}

// The plug-in's context, with the option's reads counted on the way through.
class CountedContext {
public:
    explicit CountedContext(const ProfileStore& store) : context_(SearchQueryContext(store, host_)) {
        auto read = context_.fullwidthOption;
        context_.fullwidthOption = [this, read] {
            ++reads_;
            return read();
        };
    }
    CountedContext(const CountedContext&) = delete;  // the context's reader points here
    CountedContext& operator=(const CountedContext&) = delete;

    const QueryContext& Get() const { return context_; }
    long Take() {
        const long n = reads_;
        reads_ = 0;
        return n;
    }

private:
    HostLink host_;  // not bound: plain values go as typed
    QueryContext context_;
    long reads_ = 0;
};

// The option must reach the translation from the file, or the figures would
// time something else.
void CheckOptionArrives(bool on, const CountedContext& counted) {
    const std::string pack = TranslateQuery("subject:abc\x81\x40" "def", false, counted.Get());
    const std::string expected = on ? "(\"abc \",target=subject)and(\"def\",target=smallheaderbody)"
                                      ",subfolder=0,hilight=1"
                                    : "(\"abc\x81\x40" "def\",target=subject),subfolder=0,hilight=1";
    if (pack != expected)
        Fail(std::string("the option ") + (on ? "on" : "off") + " did not reach the translation: " +
             pack);
}

void TimeRow(const Options& options, const std::string& row, CountedContext& counted,
             const std::function<void()>& translate, long translationsPerRun) {
    if (row.find(options.filter) == std::string::npos) return;
    counted.Take();
    const std::vector<double> ms = TimeRuns(translate, options.runs, kBudgetMs);
    const double reads = static_cast<double>(counted.Take()) /
                         static_cast<double>(ms.size() * translationsPerRun);
    char note[64];
    std::snprintf(note, sizeof note, "option reads per translation %.2f", reads);
    PrintTiming(row, ms, note);
}

// The option as the file holds it, and the plug-in's context that reads it.
class Profile {
public:
    Profile() : path_(dir_.File("ZentoroMailSearch.ini")), store_(path_.c_str()) {
        for (int i = 0; i < 20; ++i)  // a lived-in file: a full history
            store_.WriteString("History", ("history" + std::to_string(i)).c_str(), "subject:older");
    }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    CountedContext& SetFullwidth(bool on) {
        store_.WriteString("Option", "fullwidthspace_separator", on ? "1" : "0");
        CheckOptionArrives(on, counted_);
        return counted_;
    }

    const ProfileStore& store() const { return store_; }

private:
    test::TempDir dir_;
    std::string path_;
    ProfileStore store_;
    CountedContext counted_{store_};
};

const char* OptionName(bool on) { return on ? "/on" : "/off"; }

void Run(const Options& options) {
    Profile profile;
    for (bool on : {false, true}) {
        CountedContext& counted = profile.SetFullwidth(on);
        TimeRow(options, std::string("examples") + OptionName(on), counted, [&] {
            for (const char* q : kExamples) TranslateQuery(q, false, counted.Get());
        }, static_cast<long>(kExampleCount));
    }
    // The dialog's hint line, worked out at every change of the query line:
    // terms of two fields, as typed and as pasted.
    const dialog::HintFn hint = DialogHint(profile.store());
    for (std::size_t bytes : {std::size_t{64}, std::size_t{4096}, std::size_t{1} << 20}) {
        std::string query;
        while (query.size() < bytes) query += "subject:\x89\xef\x8b\x63 from:yamada ";  // subject:会議
        query.resize(bytes);
        TimeRow(options, "hint/" + SizeName(bytes), profile.SetFullwidth(false), [&] { hint(query); }, 1);
    }
    for (const Shape& shape : kShapes) {
        for (std::size_t bytes : kSizes) {
            const std::string query = shape.make(bytes);
            for (bool on : {false, true}) {
                const std::string row = shape.name + ("/" + SizeName(bytes)) + OptionName(on);
                CountedContext& counted = profile.SetFullwidth(on);
                TimeRow(options, row, counted, [&] { TranslateQuery(query, false, counted.Get()); },
                        1);
            }
        }
    }
}

}  // namespace
}  // namespace zms::bench

int main(int argc, char** argv) {
    return zms::bench::RunTimingProgram(
        [&] { zms::bench::Run(zms::bench::ParseOptions(argc, argv)); });
}
