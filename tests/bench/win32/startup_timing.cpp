#include <windows.h>

#include "tests/bench/startup_timing_os.h"
#include "tests/bench/timing.h"

namespace zms::bench {

void LoadHostSystemLibraries() {
    // The two system libraries of the plug-in's imports that a console
    // program lacks (kernel32, advapi32 and msvcrt it has already).
    for (const char* name : {"user32.dll", "imm32.dll"})
        if (!LoadLibraryA(name)) Fail(std::string("cannot load ") + name);
}

}  // namespace zms::bench
