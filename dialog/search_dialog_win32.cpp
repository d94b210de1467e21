// The search dialog as a Win32 modal dialog over template 101. Three pieces:
// the handles it works with while open, a static dialog procedure, and
// RunSearchDialog. What the dialog does to the state is in
// dialog/search_dialog_logic.h; this file only moves it in and out of windows.
#include <windows.h>
#include <imm.h>

#include <string>
#include <vector>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_logic.h"
#include "platform/library.h"

namespace zms {

namespace {

constexpr int kTemplateId = 101;

// The data the dialog works with while it is open: the combo box of the query
// line and the edit control inside it, which holds the query. The dialog is
// modal and runs on the one thread that calls `search`, so one set suffices.
struct OpenDialog {
    HWND combo = nullptr;
    HWND edit = nullptr;
};
OpenDialog g_open;

// The input context of a window, released when it goes out of scope.
class InputContext {
public:
    explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~InputContext() {
        if (context_) ImmReleaseContext(window_, context_);
    }
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    HIMC get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

void CloseInputMethod(HWND dialog) {
    InputContext context(dialog);
    if (context.get() && ImmGetOpenStatus(context.get())) ImmSetOpenStatus(context.get(), FALSE);
}

// Over the whole desktop, not the owner: the template's position never shows.
void Centre(HWND dialog) {
    RECT desktop, box;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &box);
    const dialog::Point at = dialog::CentredPosition({desktop.left, desktop.top, desktop.right, desktop.bottom},
                                                     {box.left, box.top, box.right, box.bottom});
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void EnableCheckBox(HWND dialog, int scope) {
    EnableWindow(GetDlgItem(dialog, dialog::kIdSpecialFolders), dialog::CheckBoxEnabled(scope));
}

BOOL OnInitDialog(HWND dialog) {
    const dialog::OpeningView view = dialog::Open();
    Centre(dialog);
    g_open.combo = GetDlgItem(dialog, dialog::kIdQueryLine);
    SendMessageA(g_open.combo, CB_LIMITTEXT, 0, 0);  // 0 lifts the limit
    g_open.edit = GetWindow(g_open.combo, GW_CHILD);
    SetFocus(g_open.combo);
    // Inserting at an index does not sort, whatever CBS_SORT says: the rows
    // keep the history's order, blank entries as empty rows.
    for (std::size_t k = 0; k < view.dropDown.size(); ++k)
        SendMessageA(g_open.combo, CB_INSERTSTRING, k, reinterpret_cast<LPARAM>(view.dropDown[k].c_str()));
    CheckRadioButton(dialog, dialog::kIdFirstScope, dialog::kIdLastScope, view.checkedScope);
    CheckDlgButton(dialog, dialog::kIdSpecialFolders, view.checked ? BST_CHECKED : BST_UNCHECKED);
    // Disabled, the check box keeps and shows its state.
    if (!view.checkEnabled) EnableWindow(GetDlgItem(dialog, dialog::kIdSpecialFolders), FALSE);
    if (!view.text.empty()) SetWindowTextA(g_open.edit, view.text.c_str());
    if (dialog::ShouldCloseInputMethod()) CloseInputMethod(dialog);
    return FALSE;  // the focus is set already
}

int FirstCheckedScope(HWND dialog) {
    for (int id = dialog::kIdFirstScope; id <= dialog::kIdLastScope; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
    return 0;
}

std::string QueryLine() {
    const int length = GetWindowTextLengthA(g_open.edit);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(g_open.edit, buffer.data(), length + 1);
    return buffer.data();
}

void OnOk(HWND dialog) {
    const int scope = FirstCheckedScope(dialog);
    const bool checked = IsDlgButtonChecked(dialog, dialog::kIdSpecialFolders) == BST_CHECKED;
    EndDialog(dialog, dialog::Confirm(scope, checked, QueryLine()));
}

BOOL OnCommand(HWND dialog, int id) {
    if (id >= dialog::kIdFirstScope && id <= dialog::kIdLastScope) {
        CheckRadioButton(dialog, dialog::kIdFirstScope, dialog::kIdLastScope, id);
        EnableCheckBox(dialog, id);
        return TRUE;
    }
    if (id == dialog::kIdOk) {
        OnOk(dialog);
        return TRUE;
    }
    if (id == dialog::kIdCancel) {  // Esc, through the dialog manager
        EndDialog(dialog, dialog::kResultCancel);
        return TRUE;
    }
    return FALSE;  // the check box and the combo box's notifications
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    try {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
        case WM_CLOSE:
            EndDialog(dialog, dialog::kResultClosed);
            return TRUE;
        default: return FALSE;
        }
    } catch (...) {
        // Nothing may unwind through the dialog manager's frames; the message
        // is left to the default processing.
        return FALSE;
    }
}

}  // namespace

int RunSearchDialog(std::intptr_t owner) {
    const INT_PTR result = DialogBoxParamA(static_cast<HINSTANCE>(platform::PluginModule()), MAKEINTRESOURCEA(kTemplateId),
                                           reinterpret_cast<HWND>(owner), SearchDialogProc, 0);
    g_open = OpenDialog{};
    return static_cast<int>(result);
}

}  // namespace zms
