#include "tests/bench/startup_timing_os.h"

namespace zms::bench {

void LoadHostSystemLibraries() {}  // the plug-in needs none beyond the C and C++ runtimes

}  // namespace zms::bench
