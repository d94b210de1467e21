// The plug-in's only messages: a box with the system's caption and an OK button.
#pragma once

namespace zms::platform {

// MessageBoxA with no owner, no caption, MB_OK. Natively the text goes to
// standard error, as its bytes.
void ShowMessage(const char* text);

}  // namespace zms::platform
