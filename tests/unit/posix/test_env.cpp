#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "tests/unit/test_env.h"

namespace zms::test {

// Through putenv() with the "name=value" strings kept here: setenv() keeps
// every value it was ever given (the C library never frees them), which over
// the millions of searches of a fuzz run grew the process by about 20 MB a
// minute. An entry is freed only once the environment points elsewhere.
void SetEnvironment(const char* name, const char* value) {
    static std::map<std::string, std::unique_ptr<std::string>> entries;
    if (!value) {
        unsetenv(name);
        entries.erase(name);
        return;
    }
    auto entry = std::make_unique<std::string>(std::string(name) + "=" + value);
    putenv(entry->data());
    entries[name] = std::move(entry);
}

std::string GetEnvironment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool UnderWine() { return false; }

// The write's lock on the profile's directory, from a descriptor of its own:
// flock() locks of two descriptions conflict even within one process.
struct ProfileTurnHolder::State {
    int fd;
};

ProfileTurnHolder::ProfileTurnHolder(const std::string& path)
    : state_(new State{::open(path.substr(0, path.find_last_of('/') + 1).c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC)}) {
    if (state_->fd >= 0) ::flock(state_->fd, LOCK_EX);
}

ProfileTurnHolder::~ProfileTurnHolder() {
    if (state_->fd >= 0) ::close(state_->fd);
    delete state_;
}

// handle_: whether the file was moved aside.
FileHeldOpen::FileHeldOpen(const std::string& path)
    : path_(path), handle_(std::rename(path.c_str(), (path + ".held").c_str()) == 0) {}

FileHeldOpen::~FileHeldOpen() {
    if (handle_) std::rename((path_ + ".held").c_str(), path_.c_str());
}

}  // namespace zms::test
