// Private profile files without Win32: our own INI code, written to behave as
// GetPrivateProfileStringA / WritePrivateProfileStringA do for what the profile
// store relies on (the unit tests hold both to the same assertions).
//
// The text is code page 932 bytes and is never converted. Only names are
// compared, ignoring ASCII case; the second byte of a double-byte character is
// never taken for a letter or a bracket.
#include "platform/profile.h"

#include "platform/posix/native_path.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zms::platform {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One line of the file with its own line end ("\r\n", "\n", or "" for a last
// line without one), kept byte for byte so that a write changes only the lines
// it must.
struct Line {
    std::string text;
    std::string end;
};

struct IniFile {
    std::string bom;  // a leading UTF-8 mark, kept but not part of the first line
    std::vector<Line> lines;
    // The line end of lines we add: the file's own, CRLF (as Windows writes)
    // for a new file.
    std::string newline = "\r\n";
};

// The lines of one section: the header at `header` (kNone for the nameless
// section before the first header) and its body, lines [begin, end).
struct Section {
    size_t header;
    size_t begin;
    size_t end;
};

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal names: ASCII letters in either case, double-byte characters exactly.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a "[name]" header line; the name ends at the line's last ']',
// so "[a]b]" names "a]b" and text after the bracket is ignored.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    size_t close = kNone;
    for (size_t i = 1; i < t.size(); ++i) {
        if (IsLeadByte(t[i])) {
            ++i;
        } else if (t[i] == ']') {
            close = i;
        }
    }
    if (close == kNone) return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// A "key=value" line; a line without '=' is a key without a value, which
// reads as missing. Blank lines are no entry at all.
struct Entry {
    std::string_view key;
    std::optional<std::string_view> value;
};

std::optional<Entry> ParseEntry(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty()) return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return Entry{t, std::nullopt};
    return Entry{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

enum class LoadResult { kLoaded, kMissing, kFailed };

LoadResult Load(const char* path, IniFile& file) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        return (errno == ENOENT || errno == ENOTDIR) ? LoadResult::kMissing : LoadResult::kFailed;
    }
    std::string data;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.append(chunk, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return LoadResult::kFailed;

    std::string_view rest = data;
    if (rest.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        file.bom = kUtf8Bom;
        rest.remove_prefix(kUtf8Bom.size());
    }
    file.lines.reserve(static_cast<size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1);
    bool style_known = false;
    while (!rest.empty()) {
        const size_t nl = rest.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.text = rest;
            rest = {};
        } else {
            const bool crlf = nl > 0 && rest[nl - 1] == '\r';
            line.text = rest.substr(0, crlf ? nl - 1 : nl);
            line.end = crlf ? "\r\n" : "\n";
            rest.remove_prefix(nl + 1);
            if (!style_known) {
                file.newline = line.end;
                style_known = true;
            }
        }
        file.lines.push_back(std::move(line));
    }
    return LoadResult::kLoaded;
}

std::optional<Section> FindSection(const IniFile& file, std::string_view name) {
    name = Trim(name);
    size_t header = kNone;  // the nameless section before the first header
    bool match = name.empty();
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const auto next = HeaderName(file.lines[i].text);
        if (!next) continue;
        if (match) return Section{header, header == kNone ? 0 : header + 1, i};
        header = i;
        match = SameName(*next, name);
    }
    if (match) return Section{header, header == kNone ? 0 : header + 1, file.lines.size()};
    return std::nullopt;
}

size_t FindKey(const IniFile& file, const Section& section, std::string_view key) {
    key = Trim(key);
    for (size_t i = section.begin; i < section.end; ++i) {
        const auto entry = ParseEntry(file.lines[i].text);
        if (entry && SameName(entry->key, key)) return i;
    }
    return kNone;
}

void InsertLine(IniFile& file, size_t at, std::string text) {
    if (at > 0 && file.lines[at - 1].end.empty()) file.lines[at - 1].end = file.newline;
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(at),
                      Line{std::move(text), file.newline});
}

// Each edit returns whether the file changed.
bool SetKey(IniFile& file, const char* section, const char* key, const char* value) {
    const std::string_view text = TrimLeft(value);
    const auto found = FindSection(file, section);
    if (!found) {
        InsertLine(file, file.lines.size(), "[" + std::string(Trim(section)) + "]");
        InsertLine(file, file.lines.size(), std::string(Trim(key)) + "=" + std::string(text));
        return true;
    }
    const size_t at = FindKey(file, *found, key);
    if (at != kNone) {
        // The key keeps the spelling it has in the file.
        const std::string line =
            std::string(ParseEntry(file.lines[at].text)->key) + "=" + std::string(text);
        if (file.lines[at].text == line) return false;
        file.lines[at].text = line;
        return true;
    }
    // After the section's last non-blank line, so that blank lines before the
    // next header stay there.
    size_t after = found->begin;
    for (size_t i = found->begin; i < found->end; ++i) {
        if (!Trim(file.lines[i].text).empty()) after = i + 1;
    }
    InsertLine(file, after, std::string(Trim(key)) + "=" + std::string(text));
    return true;
}

bool RemoveKey(IniFile& file, const char* section, const char* key) {
    const auto found = FindSection(file, section);
    if (!found) return false;
    const size_t at = FindKey(file, *found, key);
    if (at == kNone) return false;
    file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool RemoveSection(IniFile& file, const char* section) {
    const auto found = FindSection(file, section);
    if (!found) return false;
    const size_t first = found->header == kNone ? found->begin : found->header;
    if (first == found->end) return false;
    file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(first),
                     file.lines.begin() + static_cast<std::ptrdiff_t>(found->end));
    return true;
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The directory that holds `path` ("." for a bare name).
std::string DirectoryOf(const char* path) {
    const std::string_view p = path;
    const size_t slash = p.rfind('/');
    return slash == std::string_view::npos ? "." : std::string(p.substr(0, slash + 1));
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
    explicit DirectoryLock(const char* path)
        : fd_(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;
        using Clock = std::chrono::steady_clock;
        const ProfileWait wait;
        const Clock::time_point deadline = Clock::now() + wait.Left();
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR) &&
               Clock::now() < deadline) {
            const struct timespec pause {0, 1'000'000};  // 1 ms
            ::nanosleep(&pause, nullptr);
        }
    }
    ~DirectoryLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

private:
    int fd_;
};

// Replaces the file as a whole: a temporary file in the same directory is
// written and flushed to disk, then renamed over the old one, so that a crash
// leaves either the old file or the new one, never a part of it.
bool Save(const char* path, const IniFile& file) {
    std::string data = file.bom;
    for (const Line& line : file.lines) data += line.text + line.end;
    // A file that begins with the mark's bytes is read as having the mark, so
    // a first line that begins with them itself (a key written without a
    // section can) needs the mark in front to keep them as its text.
    if (file.bom.empty() && data.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) data.insert(0, kUtf8Bom);
    // Allocated before the rename: once the file is replaced, nothing may fail
    // for want of memory and report a write that happened as failed.
    const std::string dir = DirectoryOf(path);

    struct stat old {};
    const bool existed = ::stat(path, &old) == 0;
    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp =
            std::string(path) + ".~" + std::to_string(::getpid()) + "." + std::to_string(++counter);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = WriteAll(fd, data);
    if (ok && existed) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

// The text a read returns before truncation: the value, or the default with
// its trailing spaces removed; then one pair of enclosing quotes goes.
std::string ValueText(const char* section, const char* key, const char* def, const char* path) {
    std::string text;
    bool found = false;
    IniFile file;
    if (section != nullptr && key != nullptr && path != nullptr &&
        Load(NativePath(path).c_str(), file) == LoadResult::kLoaded) {
        if (const auto s = FindSection(file, section)) {
            const size_t at = FindKey(file, *s, key);
            if (at != kNone) {
                const auto value = ParseEntry(file.lines[at].text)->value;
                if (value) {
                    text = *value;
                    found = true;
                }
            }
        }
    }
    if (!found && def != nullptr) {
        std::string_view d = def;
        while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
        text = d;
    }
    text.resize(std::strlen(text.c_str()));  // a NUL byte in the file ends the value
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace

uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path) {
    if (buf == nullptr || size == 0) return 0;
    try {
        const std::string text = ValueText(section, key, def, path);
        const size_t n = text.size() < size ? text.size() : size - 1;
        std::memcpy(buf, text.data(), n);
        buf[n] = '\0';
        return static_cast<uint32_t>(n);
    } catch (...) {  // out of memory: an empty text
        buf[0] = '\0';
        return 0;
    }
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    if (section == nullptr || path == nullptr) return 0;
    try {
        const std::string native = NativePath(path);
        path = native.c_str();
        const DirectoryLock lock(path);
        IniFile file;
        if (Load(path, file) == LoadResult::kFailed) return 0;
        bool changed;
        if (key == nullptr) {
            changed = RemoveSection(file, section);
        } else if (value == nullptr) {
            changed = RemoveKey(file, section, key);
        } else {
            changed = SetKey(file, section, key, value);
        }
        return (!changed || Save(path, file)) ? 1 : 0;
    } catch (...) {  // out of memory
        return 0;
    }
}

}  // namespace zms::platform
