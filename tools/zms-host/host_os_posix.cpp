#include <dlfcn.h>
#include <iconv.h>
#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/vrinfo/stand_in_escape.h"
#include "tools/zms-host/host_os.h"

namespace zms::host {

const char kSeparator = '/';

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void SetBinaryStdout() {}

std::string FilePath(const std::string& path) {
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return native;
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

bool MakeDirectory(const std::string& path) {
    struct stat st {};
    if (mkdir(path.c_str(), 0777) == 0) return true;
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FreshTempDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zms-host-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : "";
}

// The registry of the POSIX layer is a .reg file (platform/posix/registry.cpp
// reads it); strings are written with \\ and \" as that reader expects, code
// page 932 characters as they are.
std::string SetUpRegistry(const std::vector<RegistryValue>& values, const std::string& workDir) {
    std::map<std::string, std::string> sections;
    for (const RegistryValue& v : values) {
        if (!v.data) continue;
        sections[v.root + "\\" + v.subKey] +=
            "\"" + StandInEscape(v.name) + "\"=\"" + StandInEscape(*v.data) + "\"\r\n";
    }
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& [key, lines] : sections) text += "\r\n[" + key + "]\r\n" + lines;

    const std::string path = workDir + "/zms-host-registry.reg";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!(out << text) || !out.flush()) return "cannot write " + path;
    setenv("ZMS_REGISTRY", path.c_str(), 1);
    return "";
}

void RestoreRegistry() {}

Module LoadModule(const std::string& path, std::string& error) {
    Module module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) error = dlerror();
    return module;
}

void* FindSymbol(Module module, const char* name) { return dlsym(module, name); }

void UnloadModule(Module module) { dlclose(module); }

int32_t CreateMainWindow() { return 0; }

void DestroyMainWindow() {}

void WatchMessageBoxes(bool) {}

// Natively the plug-in's dialog is the console view: it reads its actions
// from standard input and draws itself on standard error. While a search
// runs, standard input is a pipe holding the script and standard error a file;
// afterwards the first drawing, the dialog as it opened, is printed in the
// same words as on Windows, and anything else the plug-in wrote to standard
// error (its messages) goes on to the real one.
namespace {

constexpr char kConsoleActionsMark[] = "actions: ";
constexpr char kConsoleCaptionMark[] = "\xe6\xa4\x9c\xe7\xb4\xa2\n";  // the caption, in UTF-8

int g_savedStdin = -1, g_savedStderr = -1;
std::FILE* g_drawing = nullptr;

std::string Cp932FromUtf8(const std::string& text) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string in = text, out(text.size() * 2 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool ok = iconv(cd, &src, &left, &dst, &room) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok ? out.substr(0, out.size() - room) : text;
}

// "  [x] ..." and "  (*) ..." rows of the drawing; the caption line first.
std::string DialogLine(const std::string& drawing) {
    std::istringstream rows(drawing);
    std::string row, text, list;
    int scope = 0, index = 0;
    bool checked = false, enabled = true, first = true, gotText = false;
    std::getline(rows, row);  // the caption
    while (std::getline(rows, row) && row.rfind("actions:", 0) != 0) {
        if (!gotText && row.rfind("  [", 0) == 0 && row.size() >= 4 && row.back() == ']') {
            text = row.substr(3, row.size() - 4);
            gotText = true;
        } else if (row.rfind("    ", 0) == 0) {
            const std::size_t colon = row.find(": ");
            list += (first ? "" : "|") + (colon == std::string::npos ? "" : row.substr(colon + 2));
            first = false;
        } else if (row.rfind("  (", 0) == 0) {
            ++index;
            if (row.size() > 3 && row[3] == '*') scope = 1000 + index;
        } else if (row.rfind("  [", 0) == 0) {
            checked = row.size() > 3 && row[3] == 'x';
            enabled = row.find(" (disabled)") == std::string::npos;
        }
    }
    return "dialog: scope=" + std::to_string(scope) + " check=" + (checked ? "1" : "0") +
           (enabled ? "" : "(disabled)") + " text=[" + Cp932FromUtf8(text) + "] list=[" +
           Cp932FromUtf8(list) + "]\n";
}

}  // namespace

void BeginAnsweringDialog(const std::string& script) {
    int fds[2];
    if (pipe(fds) != 0) return;
    // Scripts are a few lines: they fit in the pipe at once.
    (void)!write(fds[1], script.data(), script.size());
    close(fds[1]);
    std::fflush(stderr);
    g_savedStdin = dup(0);
    g_savedStderr = dup(2);
    dup2(fds[0], 0);
    close(fds[0]);
    clearerr(stdin);
    g_drawing = std::tmpfile();
    if (g_drawing) dup2(fileno(g_drawing), 2);
}

void EndAnsweringDialog() {
    if (g_savedStdin < 0) return;
    std::fflush(stderr);
    dup2(g_savedStdin, 0);
    dup2(g_savedStderr, 2);
    close(g_savedStdin);
    close(g_savedStderr);
    g_savedStdin = g_savedStderr = -1;
    __fpurge(stdin);  // lines of the script the dialog did not read
    clearerr(stdin);
    if (!g_drawing) return;
    std::string written;
    std::rewind(g_drawing);
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, g_drawing)) > 0;) written.append(chunk, n);
    std::fclose(g_drawing);
    g_drawing = nullptr;
    // The view's drawings begin with its caption and end with the list of
    // actions; what stands outside them is the plug-in's own.
    const std::size_t start = written.find(kConsoleActionsMark);
    std::string drawing, rest = written;
    if (start != std::string::npos) {
        const std::size_t end = written.find('\n', start);
        std::size_t begin = written.rfind(kConsoleCaptionMark, start);
        if (begin == std::string::npos) begin = 0;
        drawing = written.substr(begin, end == std::string::npos ? std::string::npos : end + 1 - begin);
        rest = written.substr(0, begin);
    }
    if (!drawing.empty()) {
        const std::string line = DialogLine(drawing);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fflush(stdout);
    }
    std::fwrite(rest.data(), 1, rest.size(), stderr);
}

}  // namespace zms::host
