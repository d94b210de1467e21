// Private profile files on Windows: the system's own calls.
#include "platform/profile.h"

#include <windows.h>

// <windows.h> maps WriteProfileString to the win.ini call, which would rename
// our own function here.
#undef WriteProfileString

namespace zms::platform {
namespace {

// The turn of the profile writes (platform/profile.h). Wine's private-profile
// code rewrites the file in place, so a process that writes while another
// writes reads a part of it, and then writes that part back: with two hosts
// at once whole sections were lost. One named mutex for every process of the
// session serializes the writes. It is asked only for the rights a turn needs
// (waiting and releasing): CreateMutexA asks for all rights, which a mutex
// created by an elevated host does not grant to the others. The wait is
// bounded by the operation's budget; after it the write goes on unlocked. A
// holder that died leaves the mutex abandoned, which still hands it over.
class ProfileTurn {
public:
    explicit ProfileTurn(WaitBudget& budget)
        : mutex_(CreateMutexExA(nullptr, "Local\\ZentoroMailSearch.profile", 0,
                                SYNCHRONIZE | MUTEX_MODIFY_STATE)) {
        if (mutex_ == nullptr) return;
        const auto start = std::chrono::steady_clock::now();
        const DWORD waited = WaitForSingleObject(mutex_, static_cast<DWORD>(budget.Left().count()));
        budget.Spend(std::chrono::steady_clock::now() - start);
        owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~ProfileTurn() {
        if (owned_) ReleaseMutex(mutex_);
        if (mutex_ != nullptr) CloseHandle(mutex_);
    }
    ProfileTurn(const ProfileTurn&) = delete;
    ProfileTurn& operator=(const ProfileTurn&) = delete;

private:
    HANDLE mutex_;
    bool owned_ = false;
};

}  // namespace

uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path) {
    return GetPrivateProfileStringA(section, key, def, buf, size, path);
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path,
                       WaitBudget& budget) {
    const ProfileTurn turn(budget);
    return WritePrivateProfileStringA(section, key, value, path);
}

std::optional<std::vector<std::string>> ReadProfileSection(const char* section, const char* path) {
    // A list cut short to fit comes back as size - 2 characters.
    std::string buf(kMaxSectionRead, '\0');
    const DWORD n = GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), path);
    if (n >= buf.size() - 2) return std::nullopt;
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < n && buf[at] != '\0'; at += entries.back().size() + 1)
        entries.emplace_back(buf.c_str() + at);
    return entries;
}

}  // namespace zms::platform
