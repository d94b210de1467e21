// Shared libraries: the host's library, loaded by path and bound by name.
#pragma once
#include <string>

namespace zms::platform {

using Library = void*;  // null: not loaded

// LoadLibraryA on Windows, dlopen natively. Null when it cannot be loaded
// (the last error says why).
Library LoadLibraryFile(const char* path);
// GetProcAddress / dlsym. Null for a missing entry or a null library.
void* FindEntry(Library library, const char* name);
// FreeLibrary / dlclose. The plug-in keeps the host's library to the end;
// the reference host unloads the plug-in to run its shut-down.
void FreeLibraryFile(Library library);

#ifdef _WIN32
// The plug-in's own module as the loader hands it to the library's entry
// point, stored there on every notification; the search dialog's template
// lies in it. Null before the first notification.
void SetPluginModule(void* module);
void* PluginModule();
#endif

}  // namespace zms::platform
