// zms-host: the reference host. Plays the mail program for the plug-in: sets
// up the registry values the plug-in reads at its first search, owns a main window, loads
// the plug-in as the mail program does, configures the stand-in VRInfo.dll,
// calls `search` once per --macro with the dialog answered by a script, and
// prints the stand-in's journal of every call the plug-in made.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "platform/console.h"
#include "platform/library.h"
#include "platform/message.h"
#include "platform/native_path.h"
#include "platform/process.h"
#include "plugin/host_link.h"  // ZMS_CDECL
#include "plugin/registry_paths.h"
#include "plugin/startup.h"
#include "tools/registry_writer/registry_writer.h"
#include "tools/vrinfo/stand_in.h"
#include "tools/vrinfo/stand_in_escape.h"
#include "tools/zms-host/host_options.h"
#include "tools/zms-host/host_os.h"

namespace zms::host {
namespace {

constexpr char kHostLibraryName[] = "VRInfo.dll";
// MainWnd's answer when there is no real window (natively, or wine without a
// display).
constexpr char kMadeUpMainWindow[] = "65552";  // 0x00010010

using SearchFn = int32_t(ZMS_CDECL*)(const char*);

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int Fail(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "zms-host: %s\n", message.c_str());
    std::fflush(stderr);
    return 1;
}

bool EndsWithSeparator(const std::string& dir) {
    return !dir.empty() && (dir.back() == '/' || dir.back() == kSeparator);
}

std::string WithSeparator(const std::string& dir) {
    return EndsWithSeparator(dir) ? dir : dir + kSeparator;
}

// The three values; each one stored or removed.
struct Setup {
    std::optional<std::string> editor, macros, mailDir;
};

// A directory value stored as text, or none.
std::optional<RawValue> Value(const std::optional<std::string>& dir) {
    return dir ? std::optional<RawValue>(RegText(*dir)) : std::nullopt;
}

// The path the plug-in gives its profile file: its own lookup over the
// registry as set up (zms-host is the running program the plug-in sees).
std::string ProfilePath() { return zms::ProfilePath(ReadInstallPlaces()); }

std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The stand-in's own entries, from the same module the plug-in loaded.
struct StandIn {
    stand_in::SetFn set = nullptr;
    stand_in::JournalFn journal = nullptr;
    stand_in::ClearJournalFn clearJournal = nullptr;
};

void PrintJournal(const StandIn& standIn) {
    if (!standIn.journal) return;  // no host library: nothing was called
    std::istringstream lines(standIn.journal());
    for (std::string line; std::getline(lines, line);) Print("  host: " + line + "\n");
    standIn.clearJournal();
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

void RunSearch(int number, const Search& search, SearchFn searchEntry, const StandIn& standIn,
               bool interactive) {
    const std::string n = std::to_string(number);
    Print("search " + n + ": macro " + StandInQuote(search.macro) + "\n");
    const std::string script = Join(search.script);
    if (!interactive) BeginAnsweringDialog(script);
    const int32_t result = searchEntry(search.macro.c_str());
    if (!interactive) EndAnsweringDialog();
    std::fflush(stdout);
    PrintJournal(standIn);
    Print("search " + n + " returned " + std::to_string(result) + "\n");
}

// The stand-in's own entries from the module the plug-in loads from `path`,
// set up for this run; false when the module there is not the stand-in. None
// is there: `standIn` stays empty, and that is said.
bool LoadStandIn(const std::string& path, const std::string& mainWnd, const Options& o,
                 StandIn& standIn) {
    const platform::Library module = platform::LoadLibraryFile(path.c_str());
    if (!module) {
        Print("zms-host: no host library at " + path + "\n");
        return true;
    }
    standIn = {reinterpret_cast<stand_in::SetFn>(platform::FindEntry(module, "StandInSet")),
               reinterpret_cast<stand_in::JournalFn>(platform::FindEntry(module, "StandInJournal")),
               reinterpret_cast<stand_in::ClearJournalFn>(platform::FindEntry(module, "StandInClearJournal"))};
    if (!standIn.set || !standIn.journal || !standIn.clearJournal) return false;
    standIn.set("mainwnd", mainWnd.c_str());
    if (!o.journalFile.empty()) standIn.set("journal-file", AbsolutePath(o.journalFile).c_str());
    return true;
}

// Whatever happens, the window goes (and the registry writer, which goes
// after it, puts the registry back as it was).
struct Cleanup {
    Cleanup() = default;
    Cleanup(const Cleanup&) = delete;
    ~Cleanup() {
        WatchMessageBoxes(false);
        DestroyMainWindow();
    }
};

// Where this run puts things: the plug-in, the mail program's directory, the
// profile directory (made here) and the three registry values.
struct Places {
    std::string plugin, mailDir, profileDir;
    Setup setup;
};

std::optional<Places> ChoosePlaces(const Options& o) {
    const std::string programDir = platform::ProgramDirectory();
    Places p;
    p.plugin = AbsolutePath(o.plugin.empty() ? programDir + ZMS_HOST_PLUGIN_FILE : o.plugin);
    p.mailDir = AbsolutePath(o.mailDir.kind == DirectoryChoice::kGiven ? o.mailDir.dir : programDir);
    p.profileDir = o.profileDir.empty() ? FreshTempDirectory() : AbsolutePath(o.profileDir);
    if (p.profileDir.empty() || !MakeDirectory(p.profileDir)) return std::nullopt;
    auto choose = [&](const DirectoryChoice& c) -> std::optional<std::string> {
        if (c.kind == DirectoryChoice::kNone) return std::nullopt;
        return c.kind == DirectoryChoice::kGiven ? AbsolutePath(c.dir) : p.profileDir;
    };
    p.setup = {choose(o.editor), choose(o.macros), std::nullopt};
    // The mail program stores its directory with a trailing separator: the
    // plug-in appends "VRInfo.dll" to it directly.
    if (o.mailDir.kind != DirectoryChoice::kNone) p.setup.mailDir = WithSeparator(p.mailDir);
    return p;
}

// The steps in their order: a move of the mail program's directory, a change
// of the stand-in's answers, a search. 0, or Fail's status.
int RunSteps(const Options& o, RegistryWriter& registry, SearchFn searchEntry, StandIn& standIn,
             const std::string& mainWnd) {
    int number = 0;
    for (const Step& step : o.steps) {
        if (const auto* move = std::get_if<MailDirChange>(&step)) {
            const std::string dir = WithSeparator(AbsolutePath(move->dir));
            registry.Set(registry_paths::kMailProgramDirectory, RegText(dir));
            if (!standIn.set && !LoadStandIn(dir + kHostLibraryName, mainWnd, o, standIn))
                return Fail(dir + " holds a VRInfo.dll that is not the stand-in host library");
        } else if (const auto* change = std::get_if<StandInChange>(&step)) {
            std::optional<std::string> value = change->value;
            if (change->name == "mainwnd" && value == "own") value = mainWnd;
            if (!standIn.set || !standIn.set(change->name.c_str(), value ? value->c_str() : nullptr))
                return Fail("the stand-in refused " + change->name);
        } else {
            RunSearch(++number, std::get<Search>(step), searchEntry, standIn, o.interactive);
        }
    }
    return 0;
}

int Run(const Options& o) {
    const std::optional<Places> places = ChoosePlaces(o);
    if (!places) return Fail("cannot make the profile directory " + o.profileDir);
    const std::string& plugin = places->plugin;
    // Natively the registry is a file in the profile directory.
    RegistryWriter registry(places->profileDir + "/zms-host-registry.reg");
    const Cleanup cleanup;
    const int32_t window = CreateMainWindow();
    const std::string mainWnd = window ? std::to_string(window) : kMadeUpMainWindow;
    try {
        registry.Set(registry_paths::kEditorInstallLocation, Value(places->setup.editor));
        registry.Set(registry_paths::kEditorMacroDirectory, Value(places->setup.macros));
        registry.Set(registry_paths::kMailProgramDirectory, Value(places->setup.mailDir));
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    const std::string profilePath = platform::NativePath(ProfilePath().c_str());
    Print("zms-host: plug-in " + plugin + "\nzms-host: profile " + profilePath + "\nzms-host: main window " +
          mainWnd + "\n");

    if (!o.interactive) WatchMessageBoxes(true);
    // The plug-in reads the registry at its first search, not at this load.
    const platform::Library pluginModule = platform::LoadLibraryFile(plugin.c_str());
    if (!pluginModule) return Fail("cannot load the plug-in " + plugin + ": " + platform::LastErrorText());
    const auto searchEntry = reinterpret_cast<SearchFn>(platform::FindEntry(pluginModule, "search"));
    if (!searchEntry) return Fail("the plug-in " + plugin + " exports no `search`");
    // A mail program directory without the library: the plug-in cannot load
    // one either, and its searches call nothing.
    StandIn standIn;
    if (!LoadStandIn(WithSeparator(places->mailDir) + kHostLibraryName, mainWnd, o, standIn))
        return Fail(places->mailDir + " holds a VRInfo.dll that is not the stand-in host library");
    if (const int failed = RunSteps(o, registry, searchEntry, standIn, mainWnd)) return failed;

    platform::FreeLibraryFile(pluginModule);  // the plug-in's shut-down
    if (o.showProfile) {
        const std::optional<std::string> profile = ReadFile(platform::NativePath(ProfilePath().c_str()));
        Print(profile ? "profile:\n" + *profile : "profile: none\n");
    }
    return 0;
}

}  // namespace
}  // namespace zms::host

int main(int argc, char** argv) {
    using namespace zms::host;
    zms::platform::SetBinaryStdio();
    const ParseResult parsed = ParseOptions(Arguments(argc, argv));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zms-host: %s\n%s", parsed.error.c_str(), kUsage);
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        return Run(parsed.options);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
