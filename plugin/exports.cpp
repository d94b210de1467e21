// The exported entry: a thin wrapper that starts the plug-in on the first call
// and lets no exception reach the host.
#include <cstdint>

#include "plugin/search.h"
#include "plugin/startup.h"

extern "C" __attribute__((visibility("default"))) int32_t search(const char* text) {
    try {
        // The first call starts the plug-in, outside the loader lock.
        return zms::Search(zms::StartOnce(), text);
    } catch (...) {
        return 0;
    }
}
