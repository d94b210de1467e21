#include "plugin/startup.h"

#include <optional>
#include <string>

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "platform/library.h"
#include "platform/process.h"
#include "plugin/host_link.h"
#include "plugin/registry_paths.h"
#include "settings/profile_settings.h"
#include "settings/profile_store.h"
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

namespace {
bool g_started = false;
}  // namespace

void Attach() {
    const InstallPlaces places = ReadInstallPlaces();
    g_profileStore.emplace(ProfilePath(places).c_str());
    QueryHistory::Load();
    g_search.scope = settings::ReadScope();
    g_search.specialFolders = settings::ReadSpecialFolders();
    // By its full path, never by a bare name from the search path. No
    // separator is added: the mail program stores its directory with one.
    platform::Library host =
        places.mailProgram.empty()
            ? nullptr
            : platform::LoadLibraryFile((places.mailProgram + kHostLibraryName).c_str());
    BindHostLink(host);
}

void StartOnce() {
    if (g_started) return;
    g_started = true;
    Attach();
}

void Detach() {
    g_profileStore.reset();
    g_started = false;
}

}  // namespace zms
