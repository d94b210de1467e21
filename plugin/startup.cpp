#include "plugin/startup.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "platform/library.h"
#include "plugin/host_link.h"
#include "plugin/registry_paths.h"
#include "settings/profile_store.h"
#include "settings/registry_path_reader.h"

namespace zms {

void* g_module = nullptr;
// Natively start-up runs from the library's constructor, which may come before
// this file's own initialisation: the state is initialised first.
__attribute__((init_priority(101))) SearchState g_search;

namespace {

constexpr char kProfileName[] = "\\ZentoroMailSearch.ini";
constexpr char kHostLibraryName[] = "VRInfo.dll";

// With none of the registry values there, the profile lies beside the plug-in
// itself, so that history and favourites still persist.
std::string ProfileDirectory() {
    char* base = FindBaseDirectory();
    if (!base) return PluginDirectory();
    std::string dir = base;
    std::free(base);
    return dir;
}

int ScopeFromProfile() {
    char* radio = g_profileStore->ReadString("Config", "radio", nullptr);
    int scope = kScopeFolder;
    if (radio && radio[0] >= '1' && radio[0] <= '4' && radio[1] == '\0')
        scope = kScopeFolder + (radio[0] - '1');
    std::free(radio);
    return scope;
}

bool CheckFromProfile() {
    char* check = g_profileStore->ReadString("Config", "check", nullptr);
    bool on = check && std::strcmp(check, "TRUE") == 0;
    std::free(check);
    return on;
}

}  // namespace

std::string PluginDirectory() {
    std::string self = platform::ThisLibraryPath();
    std::size_t cut = self.find_last_of("\\/");
    return cut == std::string::npos ? "." : self.substr(0, cut);
}

std::optional<std::string> ReadDirectoryValue(const char* path) {
    std::optional<std::string> text = ReadValueText(path);
    if (text && text->empty()) return std::nullopt;
    return text;
}

char* FindBaseDirectory() {
    std::optional<std::string> dir;
    if (std::optional<std::string> install = ReadDirectoryValue(registry_paths::kEditorInstallLocation)) {
        dir = ReadDirectoryValue(registry_paths::kEditorMacroDirectory);
        if (!dir) dir = install;
    } else {
        dir = ReadDirectoryValue(registry_paths::kMailProgramDirectory);
    }
    if (!dir) return nullptr;
    char* result = static_cast<char*>(std::malloc(dir->size() + 1));
    if (result) std::memcpy(result, dir->c_str(), dir->size() + 1);
    return result;
}

void Attach(void* module) {
    g_module = module;
    std::string profilePath = ProfileDirectory() + kProfileName;
    g_profileStore = new ProfileStore(profilePath.c_str());
    QueryHistory::load();
    g_search.scope = ScopeFromProfile();
    g_search.check = CheckFromProfile();
    // No separator is added: the mail program stores its directory with a
    // trailing backslash.
    std::string mailDirectory = ReadDirectoryValue(registry_paths::kMailProgramDirectory).value_or("");
    platform::Library host =
        mailDirectory.empty() ? nullptr
                              : platform::LoadLibraryFile((mailDirectory + kHostLibraryName).c_str());
    BindHostLink(host);
}

void Detach() {
    delete g_profileStore;
    g_profileStore = nullptr;
}

}  // namespace zms
