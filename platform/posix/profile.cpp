// Private profile files without Win32: the file under the INI text
// (platform/posix/ini_text.h). A read loads the file; a write loads, edits and
// replaces it durably, in its turn with the writers of other processes.
#include "platform/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/posix/ini_text.h"
#include "platform/native_path.h"
#include "platform/registry.h"

namespace zms::platform {
namespace {

// The file's text; a missing file is an empty one, nothing a file that cannot
// be read.
std::optional<IniText> Load(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        if (errno == ENOENT || errno == ENOTDIR) return IniText{};
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return ParseIni(bytes);
}

// The directory that holds `path` ("." for a bare name).
std::string DirectoryOf(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash == nullptr ? "." : std::string(path, slash + 1);
}

// Writers of one profile file take turns (platform/profile.h): each holds an
// exclusive lock on the file's directory from reading the file to replacing
// it. Without it two processes (two hosts with the plug-in loaded) that read
// the same old file would each write back their own change only, and the one
// that renames last silently undoes the other's, say a favourite just stored.
// The directory is locked, not the file, because the file is replaced by every
// write, and no lock file of our own is left beside the profile. Readers need
// no lock: they see the old file or the new one. The wait is bounded by the
// operation's budget; after it, or where the directory cannot be opened, the
// write goes on unlocked (and fails when it saves).
class DirectoryLock {
public:
    DirectoryLock(const char* path, WaitBudget& budget)
        : fd_(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now(), deadline = start + budget.Left();
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
               Clock::now() < deadline) {
            const struct timespec pause {0, 1'000'000};  // 1 ms
            ::nanosleep(&pause, nullptr);
        }
        budget.Spend(Clock::now() - start);
    }
    ~DirectoryLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;
    int Directory() const { return fd_; }  // open, or -1

private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) done += static_cast<size_t>(n);
    }
    return true;
}

// A new file beside `path` that no other writer uses; -1 when none can be made.
int CreateTemporary(const char* path, std::string& temp) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp =
            std::string(path) + ".~" + std::to_string(::getpid()) + "." + std::to_string(++counter);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Replaces the file as a whole: a temporary file in the same directory is
// written and flushed to disk, then renamed over the old one, so that a crash
// leaves either the old file or the new one, never a part of it. The file
// keeps its mode. The directory (`dir`, or -1) is flushed after the rename, so
// that the rename itself lasts.
bool Save(const char* path, const IniText& ini, int dir) {
    const std::string bytes = IniBytes(ini);
    struct stat old {};
    const bool existed = ::stat(path, &old) == 0;
    std::string temp;
    const int fd = CreateTemporary(path, temp);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    if (dir >= 0) ::fsync(dir);
    return true;
}

bool Edit(IniText& ini, const char* section, const char* key, const char* value) {
    if (key == nullptr) return RemoveIniSection(ini, section);
    if (value == nullptr) return RemoveIniKey(ini, section, key);
    return SetIniKey(ini, section, key, value);
}

}  // namespace

uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path) {
    if (buf == nullptr || size == 0) return 0;
    try {
        IniText ini;  // without a file (or a name to look for) the default is read
        if (section != nullptr && key != nullptr && path != nullptr) {
            if (auto loaded = Load(NativePath(path).c_str())) ini = std::move(*loaded);
        }
        const std::string text =
            ReadIniValue(ini, section != nullptr ? section : "", key != nullptr ? key : "", def);
        const size_t n = text.size() < size ? text.size() : size - 1;
        std::memcpy(buf, text.data(), n);
        buf[n] = '\0';
        return static_cast<uint32_t>(n);
    } catch (...) {  // out of memory: an empty text
        buf[0] = '\0';
        return 0;
    }
}

namespace {

// A failed write, its reason as the thread's last error in Windows' code for
// the C library's.
int Failed(int error) {
    const bool missing = error == ENOENT || error == ENOTDIR;
    const bool denied = error == EACCES || error == EPERM || error == EROFS;
    SetLastErrorCode(missing  ? kErrorPathNotFound
                     : denied ? kErrorAccessDenied
                     : error == ENOMEM ? kErrorNotEnoughMemory
                                       : kErrorWriteFault);
    return 0;
}

// Loads, edits and saves the file in its turn; whether the edit took.
template <class Edit>
int Rewrite(const char* path, WaitBudget& budget, const Edit& edit) {
    try {
        const std::string native = NativePath(path);
        const DirectoryLock lock(native.c_str(), budget);
        std::optional<IniText> ini = Load(native.c_str());
        if (!ini) return Failed(errno);
        return !edit(*ini) || Save(native.c_str(), *ini, lock.Directory()) ? 1 : Failed(errno);
    } catch (...) {  // out of memory
        return Failed(ENOMEM);
    }
}

}  // namespace

int WriteProfileString(const char* section, const char* key, const char* value, const char* path,
                       WaitBudget& budget) {
    if (section == nullptr || path == nullptr) return 0;
    return Rewrite(path, budget, [&](IniText& ini) { return Edit(ini, section, key, value); });
}

std::optional<std::vector<std::string>> ReadProfileSection(const char* section, const char* path) {
    try {
        std::optional<IniText> ini = Load(NativePath(path).c_str());
        if (!ini) return std::nullopt;
        std::vector<std::string> entries = IniSectionEntries(*ini, section);
        std::size_t length = 1;  // the list's closing NUL
        for (const std::string& entry : entries) length += entry.size() + 1;
        if (length + 1 >= kMaxSectionRead) return std::nullopt;  // as the Win32 read is cut
        return entries;
    } catch (...) {  // out of memory
        return std::nullopt;
    }
}

}  // namespace zms::platform
