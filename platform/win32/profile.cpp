// Private profile files on Windows: the system's own calls.
#include "platform/profile.h"

#include <windows.h>

// <windows.h> maps WriteProfileString and WriteProfileSection to the win.ini calls,
// which would rename our own functions here.
#undef WriteProfileString
#undef WriteProfileSection

namespace zms::platform {
namespace {

// The turn of the profile calls (platform/profile.h). Wine's private-profile
// code rewrites the file in place, so a process that reads it while another
// writes sees a part of it, and then writes that part back: with two hosts at
// once whole sections were lost. One named mutex for every process of the
// session serializes the calls. The wait is bounded by the operation's budget;
// after it the call goes on unlocked. A holder that died leaves the mutex
// abandoned, which still hands it over.
class ProfileTurn {
public:
    ProfileTurn() : mutex_(CreateMutexA(nullptr, FALSE, "Local\\ZentoroMailSearch.profile")) {
        if (mutex_ == nullptr) return;
        const ProfileWait wait;
        const DWORD waited = WaitForSingleObject(mutex_, static_cast<DWORD>(wait.Left().count()));
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
    const ProfileTurn turn;
    return GetPrivateProfileStringA(section, key, def, buf, size, path);
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    const ProfileTurn turn;
    return WritePrivateProfileStringA(section, key, value, path);
}

std::vector<std::string> ReadProfileSection(const char* section, const char* path) {
    const ProfileTurn turn;
    // A list cut short to fit comes back as size - 2 characters.
    std::string buf(4096, '\0');
    DWORD n;
    while ((n = GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()),
                                          path)) >= buf.size() - 2) {
        buf.assign(buf.size() * 2, '\0');
    }
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < n && buf[at] != '\0'; at += entries.back().size() + 1)
        entries.emplace_back(buf.c_str() + at);
    return entries;
}

int WriteProfileSection(const char* section, const std::vector<std::string>& entries,
                        const char* path) {
    std::string list;
    for (const std::string& entry : entries) list += entry + '\0';
    list += '\0';
    const ProfileTurn turn;
    return WritePrivateProfileSectionA(section, list.c_str(), path);
}

}  // namespace zms::platform
