#include <cstdio>
#include <cstdlib>
#include <string>

#include "plugin/registry_paths.h"
#include "tests/unit/fault_registry_values.h"
#include "tests/unit/temp_dir.h"
#include "tests/unit/test_env.h"

namespace zms::test {
namespace {

// "HKEY_...\Key\Name" as the section and the value line of a .reg file; the
// data as hex(type) bytes, so that any type and any bytes can be stored.
std::string Entry(const char* fullPath, const RawValue& v) {
    const std::string path = fullPath;
    const std::size_t name = path.rfind('\\');
    std::string bytes;
    for (unsigned char c : v.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", c);
        bytes += (bytes.empty() ? "" : ",") + std::string(hex);
    }
    char type[16];
    std::snprintf(type, sizeof type, "%x", static_cast<unsigned>(v.type));
    return "[" + path.substr(0, name) + "]\n\"" + path.substr(name + 1) + "\"=hex(" + type +
           "):" + bytes + "\n";
}

}  // namespace

struct StartupRegistry::State {
    TempDir dir;
    std::optional<std::string> previous;
};

StartupRegistry::StartupRegistry(const std::optional<RawValue>& editorInstall,
                                 const std::optional<RawValue>& macroPath,
                                 const std::optional<RawValue>& mailDirectory)
    : state_(new State) {
    std::string text = "Windows Registry Editor Version 5.00\n";
    if (editorInstall) text += Entry(registry_paths::kEditorInstallLocation, *editorInstall);
    if (macroPath) text += Entry(registry_paths::kEditorMacroDirectory, *macroPath);
    if (mailDirectory) text += Entry(registry_paths::kMailProgramDirectory, *mailDirectory);
    const std::string file = state_->dir.File("registry.reg");
    WriteBytes(file, text);
    if (const char* old = std::getenv("ZMS_REGISTRY")) state_->previous = old;
    SetEnvironment("ZMS_REGISTRY", file.c_str());
}

StartupRegistry::~StartupRegistry() {
    SetEnvironment("ZMS_REGISTRY", state_->previous ? state_->previous->c_str() : nullptr);
    delete state_;
}

}  // namespace zms::test
