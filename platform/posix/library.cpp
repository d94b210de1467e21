#include "platform/library.h"

#include <dlfcn.h>

#include "platform/posix/native_path.h"

namespace zms::platform {

Library LoadLibraryFile(const char* path) {
    return path ? dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
}

void* FindEntry(Library library, const char* name) { return library ? dlsym(library, name) : nullptr; }

namespace {
void* g_pluginModule = nullptr;
}  // namespace

void SetPluginModule(void* module) { g_pluginModule = module; }
void* PluginModule() { return g_pluginModule; }

}  // namespace zms::platform
