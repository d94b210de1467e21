#include "tools/dialog_driver/dialog_driver.h"

#include <sstream>

#include "dialog/search_dialog_template.h"
#include "dialog/search_dialog_script.h"

namespace zms::dialog_driver {

namespace {

using dialog::ScopeButton;
constexpr unsigned kPollMs = 10;

struct Search {
    HWND found = nullptr;
};

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK MatchSearchDialog(HWND window, LPARAM param) {
    if (ClassName(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
    if (!GetDlgItem(window, ZMS_ID_QUERY_LINE) || !GetDlgItem(window, ZMS_ID_SPECIAL_FOLDERS))
        return TRUE;
    reinterpret_cast<Search*>(param)->found = window;
    return FALSE;
}

HWND Combo(HWND dialog) { return GetDlgItem(dialog, ZMS_ID_QUERY_LINE); }
HWND Edit(HWND dialog) { return GetWindow(Combo(dialog), GW_CHILD); }

std::vector<std::string> Rows(HWND combo) {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        std::string row(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&row[0]));
        row.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        rows.push_back(row);
    }
    return rows;
}

// The frame's id is -1, like any static text, so it is found by its style.
HWND Frame(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
            return child;
    }
    return nullptr;
}

void PostKey(HWND target, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3L << 30));
}

// The window that has the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return dialog;
}

}  // namespace

// GetWindowTextA sends WM_GETTEXT to a window of another thread, which the
// modal loop answers. A null window has no text.
std::string WindowText(HWND window) {
    const int length = window ? GetWindowTextLengthA(window) : 0;
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

HWND WaitForSearchDialog(DWORD threadId, unsigned timeoutMs) {
    for (unsigned waited = 0;; waited += kPollMs) {
        Search search;
        EnumThreadWindows(threadId, MatchSearchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found || waited >= timeoutMs) return search.found;
        Sleep(kPollMs);
    }
}

bool WaitUntilClosed(HWND dialog, unsigned timeoutMs) {
    for (unsigned waited = 0; IsWindow(dialog); waited += kPollMs) {
        if (waited >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

bool IsMessageBox(HWND window) {
    if (ClassName(window) != "#32770") return false;
    const HWND text = GetDlgItem(window, 0xFFFF);
    return text && ClassName(text) == "Static";
}

SearchDialogView Look(HWND dialog) {
    SearchDialogView view;
    view.caption = WindowText(dialog);
    view.query = WindowText(Edit(dialog));
    view.rows = Rows(Combo(dialog));
    for (int id : dialog::kScopeButtons)
        view.controlTexts.push_back(WindowText(GetDlgItem(dialog, id)));
    view.controlTexts.push_back(WindowText(GetDlgItem(dialog, ZMS_ID_SPECIAL_FOLDERS)));
    view.controlTexts.push_back(WindowText(Frame(dialog)));
    for (Scope scope : kScopes)
        if (!view.checkedScope && IsDlgButtonChecked(dialog, ScopeButton(scope)) == BST_CHECKED)
            view.checkedScope = scope;
    view.specialFolders = IsDlgButtonChecked(dialog, ZMS_ID_SPECIAL_FOLDERS) == BST_CHECKED;
    view.specialFoldersEnabled = IsWindowEnabled(GetDlgItem(dialog, ZMS_ID_SPECIAL_FOLDERS)) != FALSE;
    GetWindowRect(dialog, &view.window);
    GetWindowRect(GetDesktopWindow(), &view.desktop);
    return view;
}

void Type(HWND dialog, const std::string& text) {
    const HWND edit = Edit(dialog);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        SendMessageA(edit, WM_CHAR, VK_BACK, 1);  // deletes the selection
        return;
    }
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool Pick(HWND dialog, int row) {
    const HWND combo = Combo(dialog);
    if (row < 0 || row >= SendMessageA(combo, CB_GETCOUNT, 0, 0)) return false;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ZMS_ID_QUERY_LINE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return true;
}

void Click(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    // A disabled window gets no mouse input; BM_CLICK would still click it.
    if (button && IsWindowEnabled(button)) SendMessageA(button, BM_CLICK, 0, 0);
}

void Click(HWND dialog, Scope scope) { Click(dialog, ScopeButton(scope)); }

void PressEscape(HWND dialog) { PostKey(FocusOf(dialog), VK_ESCAPE); }

void PressCloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool Perform(HWND dialog, const std::string& line) {
    const std::optional<dialog::Action> action = dialog::ReadAction(line);
    if (!action) return false;
    switch (action->kind) {
    case dialog::Action::kType: Type(dialog, action->text); break;
    case dialog::Action::kPick:
        return Pick(dialog, action->row);
    case dialog::Action::kScope:
        Click(dialog, action->scope);
        break;
    case dialog::Action::kCheck: Click(dialog, ZMS_ID_SPECIAL_FOLDERS); break;
    case dialog::Action::kOk: Click(dialog, ZMS_ID_OK); break;
    case dialog::Action::kEsc: PressEscape(dialog); break;
    case dialog::Action::kClose: PressCloseBox(dialog); break;
    }
    return true;
}

bool PerformScript(HWND dialog, const std::string& script, std::string* refused) {
    std::istringstream lines(script);
    // Nothing after an action that ends the dialog: Esc and the close box are
    // posted, and what follows them would race with their handling.
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (!Perform(dialog, line)) {
            if (refused) *refused = line;
            PressCloseBox(dialog);
            return false;
        }
        if (line == "ok" || line == "esc" || line == "close") return true;
    }
    PressCloseBox(dialog);
    return true;
}

bool RunScript(DWORD threadId, const std::string& script, unsigned timeoutMs, SearchDialogView* opening) {
    const HWND dialog = WaitForSearchDialog(threadId, timeoutMs);
    if (!dialog) return false;
    if (opening) *opening = Look(dialog);
    const bool understood = PerformScript(dialog, script);
    return WaitUntilClosed(dialog, timeoutMs) && understood;
}

}  // namespace zms::dialog_driver
