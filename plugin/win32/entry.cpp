// The library's entry point. It runs under the loader lock, so it keeps the
// module handle and nothing else: start-up waits for the first call of
// `search` (plugin/startup.h); an unload drops what start-up made.
#include <windows.h>

#include "platform/library.h"
#include "plugin/startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    zms::platform::SetPluginModule(module);
    try {
        // Only when the host unloads the plug-in: at the process's end
        // (`reserved` set) nothing may be freed.
        if (reason == DLL_PROCESS_DETACH && reserved == nullptr) zms::Detach();
    } catch (...) {
        // Loading never fails on the plug-in's account; `search` then finds
        // what is missing and says so.
    }
    return TRUE;
}
