#include "platform/library.h"

#include <dlfcn.h>

#include "platform/posix/native_path.h"

namespace zms::platform {

Library LoadLibraryFile(const char* path) {
    return path ? dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
}

void* FindEntry(Library library, const char* name) { return library ? dlsym(library, name) : nullptr; }

}  // namespace zms::platform
