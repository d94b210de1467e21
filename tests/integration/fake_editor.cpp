// Stands in for the editor the help viewer starts: appends the command line it
// was started with, one line a start, to called.txt beside itself.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::string line = GetCommandLineA();
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string dir(self, n);
    dir = dir.substr(0, dir.find_last_of('\\'));
    const std::string log = dir + "\\called.txt";
#else
    // Natively the arguments arrive split: join them back with a bar.
    std::string line = "[" + std::string(argv[0]) + "]";
    for (int i = 1; i < argc; ++i) line += " [" + std::string(argv[i]) + "]";
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir(self, n > 0 ? static_cast<std::size_t>(n) : 0);
    dir = dir.substr(0, dir.rfind('/'));
    const std::string log = dir + "/called.txt";
#endif
    std::FILE* f = std::fopen(log.c_str(), "ab");
    if (!f) return 1;
    line += "\n";
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
    return 0;
}
