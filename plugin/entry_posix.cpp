// What the Windows entry point does, run by the shared library's constructor
// and destructor: start-up when the host loads the plug-in, shut-down when it
// unloads it.
#include "plugin/startup.h"

namespace {

__attribute__((constructor)) void OnLoad() {
    try {
        zms::Attach();
    } catch (...) {
    }
}

__attribute__((destructor)) void OnUnload() {
    try {
        zms::Detach();
    } catch (...) {
    }
}

}  // namespace
