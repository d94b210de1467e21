// The library's entry point: start-up on process attach, shut-down on detach.
#include <windows.h>

#include "platform/library.h"
#include "plugin/startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    zms::platform::SetPluginModule(module);
    try {
        if (reason == DLL_PROCESS_ATTACH) zms::Attach();
        else if (reason == DLL_PROCESS_DETACH) zms::Detach();
    } catch (...) {
        // Loading never fails on the plug-in's account; `search` then finds
        // what is missing and says so.
    }
    return TRUE;
}
