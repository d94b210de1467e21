// <windows.h> first: the other Windows headers rely on it.
#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "dialog/search_dialog_script.h"
#include "tools/dialog_driver/dialog_driver.h"
#include "tools/vrinfo/stand_in_escape.h"
#include "tools/zms-host/host_os.h"

namespace zms::host {

const char kSeparator = '\\';

namespace {

std::string ToAnsi(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return "";
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.pop_back();  // the NUL
    return out;
}

}  // namespace

// The C runtime's argv went through a narrow command line whose parsing
// does not know that a code page 932 trail byte may be a backslash; the wide
// command line is split first and converted afterwards.
std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return {argv + 1, argv + argc};
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(ToAnsi(wide[i]));
    LocalFree(wide);
    return args;
}

std::string AbsolutePath(const std::string& path) {
    char full[MAX_PATH + 1];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : path;
}

bool MakeDirectory(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FreshTempDirectory() {
    char temp[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp) return "";
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string dir = std::string(temp, n) + "zms-host-" +
                                std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(attempt);
        if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    }
    return "";
}

// ---- The main window ---------------------------------------------------------------

namespace {

constexpr char kMainWindowClass[] = "ZmsHostMainWindow";
HWND g_mainWindow = nullptr;
HHOOK g_hook = nullptr;
// Set on a box once answered: it may be activated more than once.
constexpr char kAnsweredProperty[] = "ZmsHostAnswered";

}  // namespace

int32_t CreateMainWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassA(&wc);
    g_mainWindow =
        CreateWindowExA(0, kMainWindowClass, "zms-host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    if (!g_mainWindow) {
        std::fputs(
            "zms-host: no main window (no display? run under xvfb-run); MainWnd returns "
            "a made-up handle\n",
            stderr);
        std::fflush(stderr);  // the C runtime buffers it when it is a pipe
    }
    // The host hands out the handle cut to 32 bits, as MainWnd's result is.
    return static_cast<int32_t>(reinterpret_cast<uintptr_t>(g_mainWindow));
}

void DestroyMainWindow() {
    if (g_mainWindow) DestroyWindow(g_mainWindow);
    g_mainWindow = nullptr;
}

// ---- Message boxes -----------------------------------------------------------------

namespace {

void Answer(HWND box) {
    static const struct {
        int id;
        const char* name;
    } kButtons[] = {{IDOK, "OK"},       {IDCANCEL, "Cancel"}, {IDABORT, "Abort"},
                    {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}, {IDYES, "Yes"},
                    {IDNO, "No"}};
    std::string buttons;
    int first = 0;
    for (const auto& b : kButtons) {
        if (!GetDlgItem(box, b.id)) continue;
        buttons += (buttons.empty() ? "" : "+") + std::string(b.name);
        if (!first) first = b.id;
    }
    HWND owner = GetWindow(box, GW_OWNER);
    const char* ownerName = !owner ? "none" : owner == g_mainWindow ? "main" : "other";
    const std::string line = "message box: " + StandInQuote(dialog_driver::WindowText(GetDlgItem(box, 0xFFFF))) +
                             " caption=" + StandInQuote(dialog_driver::WindowText(box)) + " owner=" + ownerName +
                             " buttons=" + buttons + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    if (first) PostMessageA(box, WM_COMMAND, MAKEWPARAM(first, BN_CLICKED), 0);
}

LRESULT CALLBACK WatchProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (dialog_driver::IsMessageBox(window) && !GetPropA(window, kAnsweredProperty)) {
            SetPropA(window, kAnsweredProperty, reinterpret_cast<HANDLE>(1));
            Answer(window);
        }
    } else if (code == HCBT_DESTROYWND) {
        RemovePropA(reinterpret_cast<HWND>(wParam), kAnsweredProperty);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

void WatchMessageBoxes(bool on) {
    if (on && !g_hook) {
        g_hook = SetWindowsHookExA(WH_CBT, WatchProc, nullptr, GetCurrentThreadId());
    } else if (!on && g_hook) {
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

// ---- The search dialog -----------------------------------------------------------

namespace {

std::thread g_answerer;
std::atomic<bool> g_searchDone{false};

void AnswerDialog(DWORD searchThread, const std::string& script) {
    HWND dialog = nullptr;
    while (!dialog && !g_searchDone) dialog = dialog_driver::WaitForSearchDialog(searchThread, 50);
    if (!dialog) return;
    const dialog_driver::SearchDialogView v = dialog_driver::Look(dialog);
    dialog::PrintOpening(
        {v.rows, v.query, v.checkedScope.value_or(Scope::kFolder), v.specialFolders, v.specialFoldersEnabled});
    std::string refused;
    if (!dialog_driver::PerformScript(dialog, script, &refused))
        std::fprintf(stderr, "zms-host: the dialog cannot do \"%s\"\n", refused.c_str());
}

}  // namespace

void BeginAnsweringDialog(const std::string& script) {
    g_searchDone = false;
    g_answerer = std::thread(AnswerDialog, GetCurrentThreadId(), script);
}

void EndAnsweringDialog() {
    g_searchDone = true;
    if (g_answerer.joinable()) g_answerer.join();
}

}  // namespace zms::host
