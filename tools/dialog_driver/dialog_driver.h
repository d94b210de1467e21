// Drives the search dialog from a second thread of the process that shows it,
// through its controls, as a person at the screen would: for the tests of the
// Win32 dialog and for the reference host. Windows only.
//
// The thread that calls `search` (or RunSearchDialog) sits in the dialog's
// modal loop; the driving thread finds the dialog by that thread's id, reads
// it and acts on it. Messages that a person's input would queue (keys, the
// close box) are posted so that they pass through the modal loop's dialog
// manager; the others are sent and return once the dialog has handled them.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/scope.h"

namespace zms::dialog_driver {

// The visible search dialog (template 101: class #32770 with the query line
// 1000 and the check box 1005) of thread `threadId`, once it has opened; null
// if none opened within `timeoutMs`.
HWND WaitForSearchDialog(DWORD threadId, unsigned timeoutMs);

// Whether `dialog` was destroyed (the modal run ended) within `timeoutMs`.
bool WaitUntilClosed(HWND dialog, unsigned timeoutMs);

// The window's text, read from any thread ("" for none or a null window).
std::string WindowText(HWND window);

// Whether `window` is a message box: a dialog (#32770) whose text is the
// static control 0xFFFF (the search dialog's group box has that id too, but
// is a button).
bool IsMessageBox(HWND window);

// What the dialog shows. Texts are the controls' own, in the ANSI code page.
struct SearchDialogView {
    std::string caption;
    std::string query;                   // the edit control inside the combo box
    std::vector<std::string> rows;       // the drop-down's rows in order
    std::vector<std::string> controlTexts;  // the scope buttons, the check box, the frame
    std::optional<Scope> checkedScope;      // the first checked scope button's, none if none is
    bool specialFolders = false;         // 1005, the check box
    bool specialFoldersEnabled = false;
    RECT window{};                       // the dialog's rectangle on the screen
    RECT desktop{};                      // the desktop window's
};
SearchDialogView Look(HWND dialog);

// Types `text` into the query line a character at a time (WM_CHAR, a double-
// byte character as its two bytes, as the keyboard's input method delivers
// them to an ANSI window), over whatever is selected: everything first.
void Type(HWND dialog, const std::string& text);
// Chooses row `row` of the drop-down (CB_SETCURSEL, then the CBN_SELCHANGE
// notification the combo box would send); false if there is no such row.
bool Pick(HWND dialog, int row);
// Clicks the button `id` (BM_CLICK): OK, the check box. A disabled button
// does not react, as under the mouse.
void Click(HWND dialog, int id);
// Clicks the scope's button.
void Click(HWND dialog, Scope scope);
// The Esc key, to the control with the focus.
void PressEscape(HWND dialog);
// The caption's close box (WM_SYSCOMMAND SC_CLOSE).
void PressCloseBox(HWND dialog);

// One action in the words of the console view (dialog::ReadAction), TEXT in
// the ANSI code page. False for a line that is no action, or a row the
// drop-down lacks (nothing is done).
bool Perform(HWND dialog, const std::string& line);

// Performs the script's actions on the open dialog, one a line (an empty line
// is skipped, a trailing CR ignored), and presses the close box when the
// script does not end the dialog. False at a line that is no action or a row
// the drop-down lacks: `refused` (may be null) gets it, and the dialog is
// closed with the close box.
bool PerformScript(HWND dialog, const std::string& script, std::string* refused = nullptr);

// Waits for the dialog of `threadId`, performs the script's actions (one a
// line; an empty line is skipped) and, when the script does not end the
// dialog, presses the close box. False when no dialog opened, an action was
// not understood, or the dialog did not close within `timeoutMs`; the dialog
// is closed with the close box in every case where it opened. `opening`, when
// given, gets what the dialog showed before the first action.
bool RunScript(DWORD threadId, const std::string& script, unsigned timeoutMs,
               SearchDialogView* opening = nullptr);

}  // namespace zms::dialog_driver
