// zms-host: the reference host. Plays the mail program for the plug-in: sets
// up the registry values the plug-in reads at load, owns a main window, loads
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
    std::string why;
    Module module = LoadModule(path, why);
    if (!module) {
        Print("zms-host: no host library at " + path + "\n");
        return true;
    }
    standIn = {reinterpret_cast<stand_in::SetFn>(FindSymbol(module, "StandInSet")),
               reinterpret_cast<stand_in::JournalFn>(FindSymbol(module, "StandInJournal")),
               reinterpret_cast<stand_in::ClearJournalFn>(FindSymbol(module, "StandInClearJournal"))};
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

int Run(const Options& o) {
    const std::string programDir = platform::ProgramDirectory();
    const std::string plugin =
        AbsolutePath(o.plugin.empty() ? programDir + ZMS_HOST_PLUGIN_FILE : o.plugin);
    const std::string mailDir =
        AbsolutePath(o.mailDir.kind == DirectoryChoice::kGiven ? o.mailDir.dir : programDir);
    const std::string profileDir =
        o.profileDir.empty() ? FreshTempDirectory() : AbsolutePath(o.profileDir);
    if (profileDir.empty() || !MakeDirectory(profileDir))
        return Fail("cannot make the profile directory " + profileDir);

    auto choose = [&](const DirectoryChoice& c) -> std::optional<std::string> {
        if (c.kind == DirectoryChoice::kNone) return std::nullopt;
        return c.kind == DirectoryChoice::kGiven ? AbsolutePath(c.dir) : profileDir;
    };
    Setup setup{choose(o.editor), choose(o.macros), std::nullopt};
    // The mail program stores its directory with a trailing separator: the
    // plug-in appends "VRInfo.dll" to it directly.
    if (o.mailDir.kind != DirectoryChoice::kNone) setup.mailDir = WithSeparator(mailDir);

    // Natively the registry is a file in the profile directory.
    RegistryWriter registry(profileDir + "/zms-host-registry.reg");
    const Cleanup cleanup;
    const int32_t window = CreateMainWindow();
    const std::string mainWnd = window ? std::to_string(window) : kMadeUpMainWindow;

    try {
        registry.Set(registry_paths::kEditorInstallLocation, Value(setup.editor));
        registry.Set(registry_paths::kEditorMacroDirectory, Value(setup.macros));
        registry.Set(registry_paths::kMailProgramDirectory, Value(setup.mailDir));
    } catch (const std::exception& e) {
        return Fail(e.what());
    }

    Print("zms-host: plug-in " + plugin + "\n");
    Print("zms-host: profile " + FilePath(ProfilePath()) + "\n");
    Print("zms-host: main window " + mainWnd + "\n");

    if (!o.interactive) WatchMessageBoxes(true);
    // The plug-in's start-up runs inside this load, so the registry is set.
    std::string why;
    Module pluginModule = LoadModule(plugin, why);
    if (!pluginModule) return Fail("cannot load the plug-in " + plugin + ": " + why);
    const auto searchEntry = reinterpret_cast<SearchFn>(FindSymbol(pluginModule, "search"));
    if (!searchEntry) return Fail("the plug-in " + plugin + " exports no `search`");

    // A mail program directory without the library: the plug-in cannot load
    // one either, and its searches call nothing.
    StandIn standIn;
    if (!LoadStandIn(WithSeparator(mailDir) + kHostLibraryName, mainWnd, o, standIn))
        return Fail(mailDir + " holds a VRInfo.dll that is not the stand-in host library");

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

    UnloadModule(pluginModule);  // the plug-in's shut-down
    if (o.showProfile) {
        const std::optional<std::string> profile = ReadFile(FilePath(ProfilePath()));
        Print(profile ? "profile:\n" + *profile : "profile: none\n");
    }
    return 0;
}

}  // namespace
}  // namespace zms::host

int main(int argc, char** argv) {
    using namespace zms::host;
    SetBinaryStdout();
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
