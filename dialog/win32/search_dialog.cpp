// The search dialog as a Win32 modal dialog over template 101. Three pieces:
// the data it works with while open, passed through DialogBoxParamA's lParam;
// a static dialog procedure; and RunSearchDialog. What the dialog does apart
// from windows is in dialog/search_dialog_logic.h; this file only moves it in
// and out of windows.
#include <windows.h>
#include <imm.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_logic.h"
#include "dialog/search_dialog_template.h"
#include "platform/library.h"

namespace zms {

namespace {

// The data the dialog works with while it is open: what it shows on opening,
// the combo box of the query line and the edit control inside it, which holds
// the query, and the answer OK gives. The procedure keeps it with the window
// (DWLP_USER).
struct OpenDialog {
    dialog::View opening;
    dialog::HintFn hint;
    HWND combo = nullptr;
    HWND edit = nullptr;
    dialog::Answer answer{};
};

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

// The hint line for the query line's text as it is now.
void ShowHint(HWND dialog, const OpenDialog& open, const std::string& text) {
    if (open.hint) SetDlgItemTextA(dialog, ZMS_ID_HINT, open.hint(text).c_str());
}

void EnableCheckBox(HWND dialog, Scope scope) {
    EnableWindow(GetDlgItem(dialog, ZMS_ID_SPECIAL_FOLDERS), dialog::SpecialFoldersEnabled(scope));
}

BOOL OnInitDialog(HWND dialog, OpenDialog& open) {
    const dialog::View& view = open.opening;
    Centre(dialog);
    open.combo = GetDlgItem(dialog, ZMS_ID_QUERY_LINE);
    SendMessageA(open.combo, CB_LIMITTEXT, 0, 0);  // 0 lifts the limit
    open.edit = GetWindow(open.combo, GW_CHILD);
    SetFocus(open.combo);
    // Inserting at an index does not sort, whatever CBS_SORT says: the rows
    // keep the history's order, blank entries as empty rows.
    for (std::size_t k = 0; k < view.dropDown.size(); ++k)
        SendMessageA(open.combo, CB_INSERTSTRING, k, reinterpret_cast<LPARAM>(view.dropDown[k].c_str()));
    CheckRadioButton(dialog, ZMS_ID_SCOPE_FOLDER, ZMS_ID_SCOPE_ALL_ACCOUNTS,
                     dialog::ScopeButton(view.scope));
    CheckDlgButton(dialog, ZMS_ID_SPECIAL_FOLDERS, view.specialFolders ? BST_CHECKED : BST_UNCHECKED);
    // Disabled, the check box keeps and shows its state.
    if (!view.specialFoldersEnabled) EnableWindow(GetDlgItem(dialog, ZMS_ID_SPECIAL_FOLDERS), FALSE);
    if (!view.text.empty()) SetWindowTextA(open.edit, view.text.c_str());
    ShowHint(dialog, open, view.text);
    if (view.closeInputMethod) CloseInputMethod(dialog);
    return FALSE;  // the focus is set already
}

std::optional<Scope> FirstCheckedScope(HWND dialog) {
    for (Scope scope : kScopes)
        if (IsDlgButtonChecked(dialog, dialog::ScopeButton(scope)) == BST_CHECKED) return scope;
    return std::nullopt;
}

std::string QueryLine(HWND edit) {
    const int length = GetWindowTextLengthA(edit);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(edit, buffer.data(), length + 1);
    return buffer.data();
}

void OnOk(HWND dialog, OpenDialog& open) {
    const bool checked = IsDlgButtonChecked(dialog, ZMS_ID_SPECIAL_FOLDERS) == BST_CHECKED;
    open.answer = dialog::Confirm(open.opening.scope, FirstCheckedScope(dialog), checked,
                                  QueryLine(open.edit));
    EndDialog(dialog, open.answer.result);
}

// The text of the drop-down's chosen row: at CBN_SELCHANGE the edit control
// does not hold it yet.
std::string ChosenRow(HWND combo) {
    const LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    const LRESULT length = row == CB_ERR ? CB_ERR : SendMessageA(combo, CB_GETLBTEXTLEN, row, 0);
    if (length == CB_ERR) return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

BOOL OnCommand(HWND dialog, OpenDialog& open, int id, int code) {
    if (id == ZMS_ID_QUERY_LINE) {
        // Typed or pasted text (committed: the input method's composition is
        // not in the edit control yet), or a row picked from the drop-down.
        if (code == CBN_EDITCHANGE) ShowHint(dialog, open, QueryLine(open.edit));
        if (code == CBN_SELCHANGE) ShowHint(dialog, open, ChosenRow(open.combo));
        return FALSE;
    }
    for (Scope scope : kScopes) {
        if (id != dialog::ScopeButton(scope)) continue;
        CheckRadioButton(dialog, ZMS_ID_SCOPE_FOLDER, ZMS_ID_SCOPE_ALL_ACCOUNTS, id);
        EnableCheckBox(dialog, scope);
        return TRUE;
    }
    if (id == ZMS_ID_OK) {
        OnOk(dialog, open);
        return TRUE;
    }
    if (id == ZMS_ID_CANCEL) {  // Esc, through the dialog manager
        EndDialog(dialog, dialog::kResultCancel);
        return TRUE;
    }
    return FALSE;  // the check box
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return OnInitDialog(dialog, *reinterpret_cast<OpenDialog*>(lParam));
        }
        // Null for the messages that come before WM_INITDIALOG (WM_SETFONT).
        auto* open = reinterpret_cast<OpenDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!open) return FALSE;
        switch (message) {
        case WM_COMMAND: return OnCommand(dialog, *open, LOWORD(wParam), HIWORD(wParam));
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

dialog::Answer dialog::RunSearchDialog(std::intptr_t owner, const View& view, const HintFn& hint) {
    OpenDialog open{view, hint};
    const INT_PTR result = DialogBoxParamA(
        static_cast<HINSTANCE>(platform::PluginModule()), MAKEINTRESOURCEA(ZMS_SEARCH_DIALOG),
        reinterpret_cast<HWND>(owner), SearchDialogProc, reinterpret_cast<LPARAM>(&open));
    // The choice is there only when OK ended the run.
    open.answer.result = static_cast<int>(result);
    return open.answer;
}

}  // namespace zms
