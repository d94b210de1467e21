// The profile file code over any file and any names and values.
//
// Input: byte 0 picks the operation and a read buffer size; then the section,
// the key and the value, each ended by a NUL; the rest is the file's contents
// (a missing field is empty). The values of the names the file seems to hold
// are found in its text by the INI text code directly (platform/posix/ini_text.h);
// then the file is written as it is, written through the profile store and read
// again through it and platform/profile.h. Checks:
// - a read cut to a small buffer returns the front of the whole value and
//   size - 1;
// - a name or value holding CR or LF is refused and the file stays as it was;
// - for names the file can hold (see StorableSection/StorableKey), a written
//   value reads back byte for byte through the store, a removed key or section
//   reads as empty, writing the same value again leaves the file's bytes as
//   they are, and every other key found in the file reads as before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "text/cp932.h"
#include "platform/posix/ini_text.h"
#include "platform/profile.h"
#include "settings/profile_store.h"

namespace {

using namespace zms;

enum Operation { kWrite, kRemoveKey, kRemoveSection, kReadOnly };

// Blanks around names do not count, as the file reads them.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && platform::IsProfileBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && platform::IsProfileBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names compared as loosely as the file compares them or more: trimmed, ASCII
// letters in either case (the file keeps the case of a double-byte
// character's second byte; treating it as equal here only skips a check).
bool LooselySame(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// A name passed to a call loses its spaces at both ends; any other blank left
// at an end keeps it from ever naming what the file holds, whose names lose
// every blank.
std::string_view CallName(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}
bool BlankAtAnEnd(std::string_view s) {
    return !s.empty() && (platform::IsProfileBlank(s.front()) || platform::IsProfileBlank(s.back()));
}

// "[name]" reads back as a header of `name` unless the name holds a "]" (the
// first one ends it) or ends with the first byte of a double-byte character,
// which takes the "]" as its second.
bool StorableSection(std::string_view section) {
    section = CallName(section);
    std::size_t i = 0;
    for (; i < section.size(); i += text::IsLeadByte(section[i]) ? 2 : 1)
        if (section[i] == ']') return false;
    return i == section.size() && !HasLineBreak(section) && !BlankAtAnEnd(section);
}

// "key=value" reads back as that key unless the key holds an "=" (the first
// one ends the key) or begins with "[" (the line would read as a header) or
// ";" (a comment). The favourites refuse such names; the file format cannot
// hold them.
bool StorableKey(std::string_view key) {
    key = CallName(key);
    return key.find('=') == std::string_view::npos &&
           (key.empty() || (key.front() != '[' && key.front() != ';')) && !HasLineBreak(key) &&
           !BlankAtAnEnd(key);
}

struct Name {
    std::string section, key;
};

// How many of the file's names are read before and after the write. Each read
// parses the whole file again (it changed just now), so this bounds an
// input's time: with 48, a 4 KiB file of short lines took about a second.
constexpr std::size_t kNamesChecked = 16;

// The first "]" of a header line, a double-byte character's second byte being
// none, as the file reads it; the line's end without one.
std::size_t FirstClose(std::string_view header) {
    std::size_t i = 1;
    while (i < header.size() && header[i] != ']') i += text::IsLeadByte(header[i]) ? 2 : 1;
    return i < header.size() ? i : header.size();
}

// The position of a header line's closing "]" when a "]" that follows the
// first byte of a double-byte character is taken as its second byte.
std::size_t DoubleByteClose(std::string_view header) {
    std::size_t close = std::string_view::npos;
    for (std::size_t i = 1; i < header.size(); ++i) {
        if (text::IsLeadByte(header[i]))
            ++i;
        else if (header[i] == ']')
            close = i;
    }
    return close;
}

// How many times the file may hold a section by this name (the part before the
// first header counts as the section without a name). Only the first one is
// read and written; removing it brings the next one to light. A header counts
// if the name matches with any reading of its "]" (the first one that is not
// a second byte, as the file reads it; the last one in the line; the last one
// that is not a second byte), so that the count is never too low. A UTF-8 mark
// at the start of the file is part of its first line.
int SectionCount(const std::string& file, std::string_view section) {
    int count = Trim(section).empty() ? 1 : 0;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size();
        const std::string_view t = Trim(std::string_view(file).substr(start, end - start));
        start = end + 1;
        if (t.empty() || t.front() != '[') continue;
        const std::size_t twoByte = DoubleByteClose(t);
        const std::size_t last = t.rfind(']');
        count += LooselySame(t.substr(1, FirstClose(t) - 1), section) ||
                 (last != 0 && last != std::string_view::npos &&
                  LooselySame(t.substr(1, last - 1), section)) ||
                 (twoByte != std::string_view::npos && LooselySame(t.substr(1, twoByte - 1), section));
    }
    return count;
}

// Every (section, key) the file seems to name, by a rough reading of its
// lines; a name that is not really there reads as empty before and after,
// which is checked just the same.
std::vector<Name> NamesIn(const std::string& file, std::size_t limit) {
    std::vector<Name> names;
    std::string section;
    std::size_t start = 0;
    while (start < file.size() && names.size() < limit) {
        std::size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size();
        std::string line(file, start, end - start);
        start = end + 1;
        line.resize(std::strlen(line.c_str()));
        const std::string_view t = Trim(line);
        if (t.empty()) continue;
        if (t.front() == '[') {
            section = std::string(Trim(t.substr(1, FirstClose(t) - 1)));
            continue;
        }
        if (t.front() == ';') continue;  // a comment
        names.push_back({section, std::string(t.substr(0, t.find('=')))});
    }
    return names;
}

std::string StoreRead(const ProfileStore& store, const std::string& section, const std::string& key) {
    char* value = store.ReadString(section.c_str(), key.c_str(), nullptr);
    if (value == nullptr) fuzz::Fail("ReadString gave null", "[" + fuzz::Visible(section) + "] " + fuzz::Visible(key));
    std::string out = value;
    std::free(value);
    return out;
}

// A read into `size` bytes gives the front of the whole value.
void CheckCutRead(const std::string& path, const Name& n, const std::string& whole, uint32_t size) {
    std::vector<char> buf(size, '\x7f');
    const uint32_t got =
        platform::ReadProfileString(n.section.c_str(), n.key.c_str(), nullptr, buf.data(), size, path.c_str());
    const std::size_t want = whole.size() < size ? whole.size() : size - 1;
    if (got != want || buf[got] != '\0' || whole.compare(0, got, buf.data(), got) != 0)
        fuzz::Fail("a read into " + std::to_string(size) + " bytes is not the front of the value",
                   "[" + fuzz::Visible(n.section) + "] " + fuzz::Visible(n.key) + " = [" +
                       fuzz::Visible(whole) + "], got " + std::to_string(got) + " [" +
                       fuzz::Visible(std::string(buf.data(), got)) + "]");
}

struct Input {
    Operation op;
    uint32_t readSize;
    std::string section, key, value, file;
};

Input Split(const uint8_t* data, size_t size) {
    Input in{static_cast<Operation>(data[0] % 4), 1u + data[0] / 4 % 40, {}, {}, {}, {}};
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (std::string* field : {&in.section, &in.key, &in.value}) {
        const std::size_t nul = rest.find('\0');
        *field = rest.substr(0, nul);
        rest = nul == std::string::npos ? "" : rest.substr(nul + 1);
    }
    in.file = rest;
    return in;
}

std::string Where(const Input& in, const std::string& path) {
    return "section [" + fuzz::Visible(in.section) + "] key [" + fuzz::Visible(in.key) + "] value [" +
           fuzz::Visible(in.value) + "]\nfile before:\n" + fuzz::Visible(in.file) + "\nfile after:\n" +
           fuzz::Visible(fuzz::ReadFile(path));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const Input in = Split(data, size);
    const std::string path = fuzz::ScratchDir() + "/profile.ini";
    fuzz::WriteFile(path, in.file);
    const ProfileStore store(path.c_str());

    std::vector<Name> names = NamesIn(in.file, kNamesChecked);
    names.push_back({in.section, in.key});
    const platform::IniText ini = platform::ParseIni(in.file);
    std::vector<std::string> before;
    for (const Name& n : names) {
        before.push_back(platform::ReadIniValue(ini, n.section, n.key, nullptr));
        CheckCutRead(path, n, before.back(), in.readSize);
    }
    if (store.ReadString(nullptr, "k", nullptr) != nullptr) fuzz::Fail("a null section read gave a text");

    int result = 1;
    switch (in.op) {
        case kWrite: result = store.WriteString(in.section.c_str(), in.key.c_str(), in.value.c_str()); break;
        case kRemoveKey: result = store.WriteString(in.section.c_str(), in.key.c_str(), nullptr); break;
        case kRemoveSection: result = store.WriteString(in.section.c_str(), nullptr, nullptr); break;
        case kReadOnly: return 0;
    }
    const bool lineBreak = HasLineBreak(in.section) || (in.op != kRemoveSection && HasLineBreak(in.key)) ||
                           (in.op == kWrite && HasLineBreak(in.value));
    if (lineBreak) {
        if (result != 0) fuzz::Fail("a line break was written", Where(in, path));
        if (fuzz::ReadFile(path) != in.file) fuzz::Fail("a refused write changed the file", Where(in, path));
        return 0;
    }
    if (result == 0) fuzz::Fail("the write failed", Where(in, path));
    if (!StorableSection(in.section) || (in.op != kRemoveSection && !StorableKey(in.key))) return 0;

    // A key the file holds twice in a section is removed once at a time.
    int copies = 0;
    for (const Name& n : NamesIn(in.file, in.file.size())) copies += LooselySame(n.key, in.key);
    const std::string expected = in.op == kWrite ? in.value : "";
    if ((in.op == kWrite || (in.op == kRemoveKey && copies <= 1)) && StoreRead(store, in.section, in.key) != expected)
        fuzz::Fail("the key does not read back as written: [" + fuzz::Visible(StoreRead(store, in.section, in.key)) + "]",
                   Where(in, path));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Name& n = names[i];
        const bool same = LooselySame(n.section, in.section) &&
                          (in.op == kRemoveSection || LooselySame(n.key, in.key));
        const std::string now = StoreRead(store, n.section, n.key);
        if (same) {
            if (in.op == kRemoveSection && now != "" && SectionCount(in.file, in.section) == 1)
                fuzz::Fail("a key of a removed section still reads [" + fuzz::Visible(now) + "]: " +
                               fuzz::Visible(n.key),
                           Where(in, path));
            continue;
        }
        if (now != before[i])
            fuzz::Fail("another key changed: [" + fuzz::Visible(n.section) + "] " + fuzz::Visible(n.key) +
                           " was [" + fuzz::Visible(before[i]) + "] now [" + fuzz::Visible(now) + "]",
                       Where(in, path));
    }
    if (in.op == kWrite) {
        const std::string once = fuzz::ReadFile(path);
        if (!store.WriteString(in.section.c_str(), in.key.c_str(), in.value.c_str()) || fuzz::ReadFile(path) != once)
            fuzz::Fail("writing the same value again changed the file", Where(in, path));
    }
    return 0;
}
