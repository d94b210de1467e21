// Start-up and shut-down, run when the host loads and unloads the plug-in.
#pragma once
#include <optional>
#include <string>

namespace zms {

// A directory the registry names: its text, or nothing when the value is
// missing or empty. An empty value (common in install records) names no
// directory: taken as one, it would put files at the root of the drive.
std::optional<std::string> ReadDirectoryValue(const char* path);

// The directory of the profile file from the registry, in a malloc'ed buffer
// the caller frees, or null when none of the three values can be read.
char* FindBaseDirectory();

// The directory that holds the plug-in library itself ("." if unknown).
std::string PluginDirectory();

// Process attach: profile store, history, scope and check box, host library.
void Attach(void* module);
// Process detach: the profile store goes.
void Detach();

// The plug-in's module handle, stored on every notification.
extern void* g_module;

}  // namespace zms
