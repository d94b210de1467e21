// The library's entry point. It runs under the loader lock, so it keeps the
// module handle and nothing else: start-up waits for the first call of
// `search` (plugin/startup.h); detach drops what start-up made.
#include <windows.h>

#include "platform/library.h"
#include "plugin/startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    zms::platform::SetPluginModule(module);
    try {
        if (reason == DLL_PROCESS_DETACH) zms::Detach();
    } catch (...) {
        // Loading never fails on the plug-in's account; `search` then finds
        // what is missing and says so.
    }
    return TRUE;
}
