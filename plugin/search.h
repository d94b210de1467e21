// The `search` command: the dialog, then the find pack to the host.
#pragma once
#include <cstdint>

namespace zms {

// `text` is the calling macro's argument. Returns 0 on every path.
int32_t Search(const char* text);

}  // namespace zms
