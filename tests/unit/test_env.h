// What a test sets up around the plug-in as the process and other processes
// would: an environment variable, another process's turn at the profile.
#pragma once
#include <cstdint>
#include <string>

namespace zms::test {

// Null `value` removes the variable (the process block on Windows, environ
// natively). GetEnvironment gives "" for a variable that is not set.
void SetEnvironment(const char* name, const char* value);
std::string GetEnvironment(const char* name);

// Whether the Windows build runs under wine (never natively).
bool UnderWine();

// Takes the profile writes' turn (platform/profile.h) for the file `path` as
// another process would, and keeps it until destroyed.
class ProfileTurnHolder {
public:
    explicit ProfileTurnHolder(const std::string& path);
    ~ProfileTurnHolder();
    ProfileTurnHolder(const ProfileTurnHolder&) = delete;
    ProfileTurnHolder& operator=(const ProfileTurnHolder&) = delete;

private:
    struct State;
    State* state_;
};

// Holds the file open without sharing, as a backup or sync tool does, until
// destroyed: every read of it meanwhile fails and gives the default. Natively,
// where files have no share modes, the file is moved aside meanwhile.
class FileHeldOpen {
public:
    explicit FileHeldOpen(const std::string& path);
    ~FileHeldOpen();
    FileHeldOpen(const FileHeldOpen&) = delete;
    FileHeldOpen& operator=(const FileHeldOpen&) = delete;

private:
    std::string path_;
    std::uintptr_t handle_ = 0;
};

}  // namespace zms::test
