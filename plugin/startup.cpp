#include "plugin/startup.h"

#include <optional>
#include <string>

#include "platform/library.h"
#include "platform/process.h"
#include "plugin/plugin_state.h"
#include "plugin/registry_paths.h"
#include "settings/profile_settings.h"
#include "settings/registry_path_reader.h"

namespace zms {

namespace {

constexpr char kProfileName[] = "\\ZentoroMailSearch.ini";
constexpr char kHostLibraryName[] = "VRInfo.dll";

// A directory value that is set and not empty.
std::optional<std::string> ReadDirectory(const char* path) {
    std::optional<std::string> text = ReadValueText(path);
    if (text && text->empty()) return std::nullopt;
    return text;
}

}  // namespace

InstallPlaces ReadInstallPlaces() {
    InstallPlaces places;
    places.editorInstall = ReadValueText(registry_paths::kEditorInstallLocation);
    if (places.editorInstall) places.editorMacros = ReadDirectory(registry_paths::kEditorMacroDirectory);
    places.mailProgram = ReadDirectory(registry_paths::kMailProgramDirectory)
                             .value_or(platform::ProgramDirectory());
    return places;
}

std::string FindBaseDirectory(const InstallPlaces& places) {
    if (places.editorMacros) return *places.editorMacros;
    if (places.editorInstall && !places.editorInstall->empty()) return *places.editorInstall;
    return places.mailProgram;
}

std::string ProfilePath(const InstallPlaces& places) {
    return FindBaseDirectory(places) + kProfileName;
}

std::unique_ptr<PluginState> Start() {
    const InstallPlaces places = ReadInstallPlaces();
    auto state = std::make_unique<PluginState>(ProfilePath(places));
    state->history.Load(state->profile);
    state->scope = settings::ReadScope(state->profile);
    state->specialFolders = settings::ReadSpecialFolders(state->profile);
    // By its full path, never by a bare name from the search path. No
    // separator is added: the mail program stores its directory with one.
    platform::Library host =
        places.mailProgram.empty()
            ? nullptr
            : platform::LoadLibraryFile((places.mailProgram + kHostLibraryName).c_str());
    state->host = BindHostLink(host);
    return state;
}

namespace {
// The one holder of the plug-in's state. A plain pointer: nothing frees it at
// the process's end, only Detach.
PluginState* g_state = nullptr;
}  // namespace

PluginState& StartOnce() {
    if (!g_state) g_state = Start().release();
    return *g_state;
}

void Detach() {
    delete g_state;
    g_state = nullptr;
}

}  // namespace zms
