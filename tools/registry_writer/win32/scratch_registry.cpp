// A registry of the program's own while the self-test runs it. selftest.cmd
// sets ZMS_SCRATCH_REGISTRY to a key of its own under HKEY_CURRENT_USER;
// before main, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE are then mapped, for
// this process only (RegOverridePredefKey), to two keys below it, named by the
// process id. Every read and write of the program, and of the plug-in it
// loads, goes there: none of the user's values (the mail program's, the
// editor's) is ever read or written, and no administrator is needed. The keys
// go when the program ends; selftest.cmd removes what a killed run left. A
// program that cannot make the mapping stops before it touches the registry.
// Not for the 32-bit view's redirection, which applies to the real
// HKEY_LOCAL_MACHINE only.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class ScratchRegistry {
public:
    ScratchRegistry() {
        char base[MAX_PATH];
        const DWORD n = GetEnvironmentVariableA("ZMS_SCRATCH_REGISTRY", base, sizeof base);
        if (n == 0) return;
        key_ = std::string(base, n < sizeof base ? n : 0) + "\\" + std::to_string(GetCurrentProcessId());
        // HKEY_CURRENT_USER last: both keys are made in the real one.
        if (n >= sizeof base || !Map(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE") ||
            !Map(HKEY_CURRENT_USER, "HKEY_CURRENT_USER")) {
            std::fprintf(stderr, "scratch registry: cannot map the registry to %s\n", key_.c_str());
            std::fflush(stderr);
            ExitProcess(3);
        }
    }
    ~ScratchRegistry() {
        if (key_.empty()) return;
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
    // `root` from now on stands for a new key below ours, made in
    // HKEY_CURRENT_USER (still the real one: it is mapped last).
    bool Map(HKEY root, const char* name) {
        HKEY scratch = nullptr;
        const std::string path = key_ + "\\" + name;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &scratch, nullptr) != ERROR_SUCCESS)
            return false;
        const bool mapped = RegOverridePredefKey(root, scratch) == ERROR_SUCCESS;  // keeps a copy
        RegCloseKey(scratch);
        return mapped;
    }

    std::string key_;
};

ScratchRegistry g_scratchRegistry;

}  // namespace
