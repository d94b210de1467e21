#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "tools/zms-host/host_os.h"

namespace zms::host {

const char kSeparator = '/';

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

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

int32_t CreateMainWindow() { return 0; }

void DestroyMainWindow() {}

void WatchMessageBoxes(bool) {}

// Natively the plug-in's dialog is the console view: it reads its actions
// from standard input, prints its "dialog:" line on standard output and draws
// itself for a person on standard error. While a scripted search runs,
// standard input is a pipe holding the script and standard error a file;
// afterwards what the plug-in wrote there before the view's first drawing
// (its messages) goes on to the real one. The drawings, which no one
// watches, are dropped.
namespace {

constexpr char kDrawingMark[] = "\xe6\xa4\x9c\xe7\xb4\xa2\n";  // the caption, in UTF-8

int g_savedStdin = -1, g_savedStderr = -1;
std::FILE* g_written = nullptr;

std::string ReadAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
    return text;
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
    g_written = std::tmpfile();
    if (g_written) dup2(fileno(g_written), 2);
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
    if (!g_written) return;
    const std::string written = ReadAll(g_written);
    std::fclose(g_written);
    g_written = nullptr;
    // The messages shown before the dialog and after it, without the dialog's
    // drawing: its caption, then lines indented by two spaces, the actions.
    std::string messages = written.substr(0, written.find(kDrawingMark));
    const std::size_t last = written.rfind(kDrawingMark);
    if (last != std::string::npos) {
        std::size_t at = last + std::strlen(kDrawingMark);
        while (at < written.size() &&
               (written.compare(at, 2, "  ") == 0 || written.compare(at, 9, "actions: ") == 0))
            at = std::min(written.find('\n', at), written.size() - 1) + 1;
        messages += written.substr(at);
    }
    std::fwrite(messages.data(), 1, messages.size(), stderr);
}

}  // namespace zms::host
