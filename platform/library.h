// Shared libraries: the host's library, loaded by path and bound by name.
#pragma once
#include <string>

namespace zms::platform {

using Library = void*;  // null: not loaded

// LoadLibraryA on Windows, dlopen natively. Null when it cannot be loaded.
Library LoadLibraryFile(const char* path);
// GetProcAddress / dlsym. Null for a missing entry or a null library.
void* FindEntry(Library library, const char* name);

// The full path of the library holding this code (the plug-in itself), or "".
std::string ThisLibraryPath();

}  // namespace zms::platform
