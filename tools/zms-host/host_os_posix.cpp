#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <map>

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

std::string ProgramDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    const std::string self(path, static_cast<std::size_t>(n));
    const std::size_t slash = self.rfind('/');
    return slash == 0 ? "/" : self.substr(0, slash);
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

void SetEnvironment(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

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

void BeginAnsweringDialog(const std::string&) {}

void EndAnsweringDialog() {}

}  // namespace zms::host
