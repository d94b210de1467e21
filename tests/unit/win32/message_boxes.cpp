// On a desktop (Windows itself, or wine with a display, as the self-test
// runs) the plug-in's message boxes wait for a click that no one gives: each
// box the tests' thread opens is answered with OK as it opens, and its text
// printed. Without a display wine opens no box, and the call returns at once.
#include <windows.h>

#include <cstdio>

#include "tools/dialog_driver/dialog_driver.h"

namespace zms::test {
namespace {

LRESULT CALLBACK AnswerMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && dialog_driver::IsMessageBox(box)) {
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        std::printf("message box answered: %s\n", text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Set before main(), on the thread that runs the tests.
const HHOOK g_answerer = SetWindowsHookExA(WH_CBT, AnswerMessageBox, nullptr, GetCurrentThreadId());

}  // namespace
}  // namespace zms::test
