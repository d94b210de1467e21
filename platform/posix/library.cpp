#include "platform/library.h"

#include <dlfcn.h>

#include "platform/native_path.h"
#include "platform/registry.h"

namespace zms::platform {

Library LoadLibraryFile(const char* path) {
    Library library = path ? dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!library) SetLastErrorCode(kErrorModNotFound);
    return library;
}

void* FindEntry(Library library, const char* name) { return library ? dlsym(library, name) : nullptr; }

void FreeLibraryFile(Library library) {
    if (library) dlclose(library);
}

}  // namespace zms::platform
