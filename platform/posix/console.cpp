#include "platform/console.h"

namespace zms::platform {

// POSIX streams never translate line ends.
void SetBinaryStdio() {}

}  // namespace zms::platform
