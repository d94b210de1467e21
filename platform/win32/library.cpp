#include "platform/library.h"

#include <windows.h>

namespace zms::platform {

Library LoadLibraryFile(const char* path) { return path ? LoadLibraryA(path) : nullptr; }

void* FindEntry(Library library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeLibraryFile(Library library) {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}

namespace {
void* g_pluginModule = nullptr;
}  // namespace

void SetPluginModule(void* module) { g_pluginModule = module; }
void* PluginModule() { return g_pluginModule; }

}  // namespace zms::platform
