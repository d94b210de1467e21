// What the start-up timing needs from the OS beyond the platform layer, one
// .cpp per OS (win32/startup_timing.cpp, posix/startup_timing.cpp).
#pragma once

namespace zms::bench {

// Loads the system libraries that a mail program with a window has loaded
// long before it loads the plug-in, so that the load timed is the plug-in's
// own: user32 and imm32 on Windows (whose first load under wine is tens of
// milliseconds of its own); nothing natively.
void LoadHostSystemLibraries();

}  // namespace zms::bench
