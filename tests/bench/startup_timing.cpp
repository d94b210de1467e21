// Time to load the plug-in and start it (what the first call of search does
// first) and of one confirmed search's profile work, both over a large
// profile: 20 history entries, 1,000 favourites, about 1 MB. Built natively,
// for win64 and for win32; scripts/bench.sh runs it under wine.
//   zms_startup_timing PLUGIN-FILE MAIL-DIRECTORY [--cold] [--runs N] [--favourites N]
// MAIL-DIRECTORY is the mail program's directory as the registry holds it,
// with its trailing separator; the stand-in VRInfo.dll lies there, and
// start-up loads it. The profile lies in a new directory that the registry
// names as the editor's macro directory, so that start-up chooses it. What
// was in the registry before comes back at the end.
//
// The start-up is timed once per process (a library is started only once); the
// script runs the program several times. With --cold the system libraries
// that a mail program has loaded already are not loaded before (see
// startup_timing_os.h). The confirmed search is Keep of OK's answer, what OK in
// the dialog does (scope and check box saved, the query recorded in the
// history, the 20 history keys saved), over the same file through the same
// code linked here; N runs (5 by default), each with a new query. With
// --favourites the profile holds that many favourites instead of 1,000 (to
// see what the file's size costs), and the rows are named for it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "dialog/search_dialog_logic.h"
#include "platform/library.h"
#include "platform/registry.h"
#include "plugin/plugin_state.h"
#include "plugin/startup.h"
#include "settings/profile_store.h"
#include "tests/bench/shapes.h"
#include "tests/bench/startup_timing_os.h"
#include "tests/bench/timing.h"
#include "tests/unit/fault_registry_values.h"
#include "tests/unit/temp_dir.h"

namespace zms::bench {
namespace {

constexpr int kHistoryEntries = 20;
constexpr int kLargeProfileFavourites = 1000;
constexpr std::size_t kFavouriteValueBytes = 1000;  // about 1 MB in all

struct Options {
    std::string pluginFile;
    std::string mailDirectory;
    bool cold = false;
    int runs = 5;
    int favourites = kLargeProfileFavourites;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cold") options.cold = true;
        else if (arg == "--runs" && i + 1 < argc) options.runs = std::atoi(argv[++i]);
        else if (arg == "--favourites" && i + 1 < argc) options.favourites = std::atoi(argv[++i]);
        else positional.push_back(arg);
    }
    if (positional.size() != 2 || options.runs < 1 || options.favourites < 0)
        Fail("usage: zms_startup_timing PLUGIN-FILE MAIL-DIRECTORY [--cold] [--runs N] "
             "[--favourites N]");
    options.pluginFile = positional[0];
    options.mailDirectory = positional[1];
    return options;
}

std::string Numbered(const char* stem, int n) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%04d", stem, n);
    return text;
}

// The profile of a long-time user (with 1,000 favourites about 1 MB), as the
// file's own bytes (code page 932, CR LF): written at once, since a thousand
// profile writes would each rewrite the whole file.
std::string ProfileText(int favourites) {
    std::string text = "[Config]\r\nradio=3\r\ncheck=TRUE\r\n[History]\r\n";
    for (int i = 0; i < kHistoryEntries; ++i)
        text += "history" + std::to_string(i) + "=subject:\"weekly report " + std::to_string(i) +
                "\" from:sales" + std::to_string(i) + "@example.jp attach:*\r\n";
    text += "[Favorite]\r\n";
    for (int i = 0; i < favourites; ++i) {
        std::string value = "from:" + Numbered("sender", i) + "@example.jp subject:";
        // "報告" (report) and a fullwidth space, repeated in whole units.
        value += Fill("\x95\xf1\x8d\x90\x81\x40", kFavouriteValueBytes - value.size());
        text += Numbered("report", i) + "=" + value + "\r\n";
    }
    text += "[Option]\r\nfullwidthspace_separator=1\r\n[IME]\r\ncontrol=1\r\n";
    return text;
}

RawValue Directory(const std::string& path) { return {platform::kRegString, path + '\0'}; }

// The directory start-up will take the profile from, read as start-up reads it.
void CheckProfileDirectory(const std::string& expected) {
    const std::string found = FindBaseDirectory(ReadInstallPlaces());
    if (found != expected) Fail("start-up would take the profile from " + found);
}

// What the rows are named for, and the note that gives the file.
struct Profile {
    std::string rowSuffix;
    std::string note;
};

Profile Describe(int favourites, std::size_t bytes) {
    char note[96];
    std::snprintf(note, sizeof note, "profile %.3f MB: %d history entries, %d favourites",
                  static_cast<double>(bytes) / 1e6, kHistoryEntries, favourites);
    return {favourites == kLargeProfileFavourites
                ? "/large-profile"
                : "/profile-of-" + std::to_string(favourites) + "-favourites",
            note};
}

// The load of the plug-in, then its start-up, which the first call of search
// runs (the same code, linked here).
void TimeStartUp(const Options& options, const Profile& profile) {
    if (!options.cold) LoadHostSystemLibraries();
    const double start = NowMs();
    const platform::Library plugin = platform::LoadLibraryFile(options.pluginFile.c_str());
    const std::unique_ptr<PluginState> state = Start();
    const double ms = NowMs() - start;
    if (!plugin) Fail("cannot load " + options.pluginFile);
    if (!platform::FindEntry(plugin, "search")) Fail(options.pluginFile + " exports no search");
    PrintTiming((options.cold ? "startup-cold" : "startup") + profile.rowSuffix, {ms}, profile.note);
}

std::string HistoryKey0(const ProfileStore& store) {
    char* value = store.ReadString("History", "history0", nullptr);
    const std::string text = value ? value : "";
    std::free(value);
    return text;
}

void TimeConfirm(const Options& options, const Profile& profile, PluginState& state) {
    state.history.Load(state.profile);
    const std::size_t entries = state.history.Entries().size();
    if (entries != kHistoryEntries) Fail("the history holds " + std::to_string(entries) + " entries");
    int n = 0;
    std::string query;
    const std::vector<double> ms = TimeRuns([&] {
        query = "subject:meeting from:someone" + std::to_string(++n);
        const dialog::Answer answer = dialog::Confirm(Scope::kFolder, Scope::kAccount, true, query);
        if (answer.result != dialog::kResultQuery) Fail("Confirm did not take the query");
        Keep(state, answer);
    }, options.runs, 5000);
    if (HistoryKey0(state.profile) != query) Fail("the confirmed query is not history0 in the file");
    PrintTiming("confirm" + profile.rowSuffix, ms, profile.note);
}

// One read and one write of the store over the large file: what each of the
// profile calls of start-up and of keeping an answer costs.
void TimeProfileCalls(const Profile& profile, const ProfileStore& store) {
    PrintTiming("profile-read" + profile.rowSuffix, TimeRuns([&] { HistoryKey0(store); }, 20, 3000),
                profile.note);
    // Each write changes the value, as the kept answer's writes do.
    int n = 0;
    PrintTiming("profile-write" + profile.rowSuffix, TimeRuns([&] {
        store.WriteString("Config", "radio", ++n % 2 ? "4" : "3");
    }, 10, 3000), profile.note);
}

void Run(const Options& options) {
    test::TempDir dir;
    const std::string profilePath = dir.File("ZentoroMailSearch.ini");
    const std::string text = ProfileText(options.favourites);
    test::WriteBytes(profilePath, text);
    // Written at the user's last search, not just now: wine reads a profile
    // changed in the last two seconds anew on every call, which a mail
    // program starting up does not meet.
    std::filesystem::last_write_time(
        profilePath, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const Profile profile = Describe(options.favourites, text.size());

    // Editor installed, its macro directory the profile's; the mail program
    // directory holds VRInfo.dll.
    test::StartupRegistry registry(Directory(dir.Path()), Directory(dir.Path()),
                                   Directory(options.mailDirectory));
    CheckProfileDirectory(dir.Path());
    // Start-up appends the name to the directory as it stands.
    if (!std::filesystem::exists(options.mailDirectory + "VRInfo.dll"))
        Fail("no VRInfo.dll in " + options.mailDirectory + " for start-up to load");
    TimeStartUp(options, profile);

    PluginState state(profilePath);
    TimeConfirm(options, profile, state);
    TimeProfileCalls(profile, state.profile);
}

}  // namespace
}  // namespace zms::bench

int main(int argc, char** argv) {
    return zms::bench::RunTimingProgram(
        [&] { zms::bench::Run(zms::bench::ParseOptions(argc, argv)); });
}
