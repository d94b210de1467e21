#include <windows.h>

#include <future>
#include <thread>

#include "tests/unit/test_env.h"

namespace zms::test {

void SetEnvironment(const char* name, const char* value) { SetEnvironmentVariableA(name, value); }

std::string GetEnvironment(const char* name) {
    DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
    if (n == 0) return "";
    std::string value(n, '\0');
    n = GetEnvironmentVariableA(name, value.data(), n);
    value.resize(n < value.size() ? n : 0);
    return value;
}

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The named mutex of the profile writes, held by a thread of its own: the
// thread that owns a mutex may take it again, so the test's own thread could
// not be kept waiting by it.
struct ProfileTurnHolder::State {
    std::promise<void> release;
    std::thread holder;
};

ProfileTurnHolder::ProfileTurnHolder(const std::string&) : state_(new State) {
    std::promise<void> taken;
    std::future<void> isTaken = taken.get_future();
    std::future<void> released = state_->release.get_future();
    state_->holder = std::thread([&taken, released = std::move(released)]() mutable {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\ZentoroMailSearch.profile");
        WaitForSingleObject(mutex, INFINITE);
        taken.set_value();
        released.wait();
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    isTaken.wait();
}

ProfileTurnHolder::~ProfileTurnHolder() {
    state_->release.set_value();
    state_->holder.join();
    delete state_;
}

FileHeldOpen::FileHeldOpen(const std::string& path)
    : path_(path),
      handle_(reinterpret_cast<std::uintptr_t>(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr,
                                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                           nullptr))) {}

FileHeldOpen::~FileHeldOpen() {
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace zms::test
