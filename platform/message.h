// The plug-in's only messages: a box with the system's caption and an OK button.
#pragma once
#include <cstdint>
#include <string>

namespace zms::platform {

// MessageBoxA with the owner window (0: none), no caption, MB_OK. Natively the
// text goes to standard error, as its bytes.
void ShowMessage(const char* text, std::intptr_t owner = 0);

// Windows' own words for the calling thread's last error (FormatMessageA from
// the system, in the user's language), without the line end; natively the
// words for the codes the POSIX layer sets.
std::string LastErrorText();

}  // namespace zms::platform
