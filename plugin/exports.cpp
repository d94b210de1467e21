// The exported entry: a thin wrapper that lets no exception reach the host.
#include <cstdint>

#include "plugin/search.h"

extern "C" __attribute__((visibility("default"))) int32_t search(const char* text) {
    try {
        return zms::Search(text);
    } catch (...) {
        return 0;
    }
}
