// What the Windows entry point does, run by the shared library's destructor:
// shut-down when the host unloads the plug-in (start-up waits for the first
// call of `search`).
#include "plugin/startup.h"

namespace {

__attribute__((destructor)) void OnUnload() {
    try {
        zms::Detach();
    } catch (...) {
    }
}

}  // namespace
