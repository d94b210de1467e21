// The three registry values the plug-in reads at start-up, set for one test
// at their real paths, each to any type and bytes (terminated or not), or
// absent; put back as they were afterwards (tools/registry_writer).
#pragma once
#include <optional>

#include "plugin/registry_paths.h"
#include "tests/unit/temp_dir.h"
#include "tools/registry_writer/registry_writer.h"

namespace zms::test {

class StartupRegistry {
public:
    StartupRegistry(const std::optional<RawValue>& editorInstall,
                    const std::optional<RawValue>& macroPath,
                    const std::optional<RawValue>& mailDirectory) {
        writer_.Set(registry_paths::kEditorInstallLocation, editorInstall);
        writer_.Set(registry_paths::kEditorMacroDirectory, macroPath);
        writer_.Set(registry_paths::kMailProgramDirectory, mailDirectory);
    }

private:
    TempDir dir_;
    RegistryWriter writer_{dir_.File("registry.reg")};
};

}  // namespace zms::test
