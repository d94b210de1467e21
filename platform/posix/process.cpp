#include "platform/process.h"

#include <spawn.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/native_path.h"

extern char** environ;

namespace zms::platform {

std::string ProgramDirectory() {
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return "";
    path.resize(static_cast<std::size_t>(n));
    return path.substr(0, path.find_last_of('/') + 1);
}

namespace {

// The rules Windows programs use for their command line: words split at
// spaces and tabs; double quotes group; 2n backslashes before a quote give n
// and the quote groups, 2n+1 give n and a literal quote; other backslashes
// are literal.
std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\\') {
            std::size_t n = 0;
            while (i < line.size() && line[i] == '\\') ++n, ++i;
            if (i < line.size() && line[i] == '"') {
                word.append(n / 2, '\\');
                if (n % 2) word += '"';
                else quoted = !quoted;
            } else {
                word.append(n, '\\');
                --i;
            }
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

}  // namespace

std::string SystemProgram(const char* name) { return std::string("/usr/bin/") + name; }

bool StartProcess(const char* program, const char* commandLine) {
    std::vector<std::string> words = SplitCommandLine(commandLine ? commandLine : "");
    if (words.empty()) return false;
    words[0] = NativePath(words[0].c_str());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    // Like the Windows call, nothing waits for the child; it is reaped when
    // the host exits.
    pid_t pid;
    if (program != nullptr) {
        const std::string file = NativePath(program);
        return posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
    }
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
}

}  // namespace zms::platform
