// The text of a private profile (INI) file, read and edited in memory the way
// GetPrivateProfileStringA / WritePrivateProfileStringA treat it; no I/O
// (platform/posix/profile.cpp loads, saves and locks the file).
//
// Where wine and Windows differ, this is Windows, as measured there: a
// section name ends at the first ']' ("[a" without one is a header too, "[]"
// names the section ""), and the lines before the first header belong to no
// section; a line whose first non-blank byte is ';' is a comment, never a key,
// kept when its key or section is removed; a name passed to a call loses only
// its spaces at both ends, while names in the file lose every blank
// (IsProfileBlank); a value is written as given; a value of 64 KiB or more
// reads back cut (its length modulo 65,536).
//
// Lines are kept byte for byte with their own line ends, so that an edit
// changes only the lines it must; a last line without a line end gets one.
// Names are compared without regard to ASCII case; a double-byte character's
// second byte is never taken for a letter or a bracket. A UTF-8 byte order
// mark is part of the first line, as Windows reads it: a header there is not
// one.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zms::platform {

struct IniLine {
    std::string text;
    std::string end;  // "\r\n", "\n", or "" for a last line without one
};

struct IniText {
    std::vector<IniLine> lines;
    std::string newline = "\r\n";  // of added lines: the file's own, CRLF as Windows writes
};

IniText ParseIni(std::string_view bytes);
std::string IniBytes(const IniText& ini);

// What a read of [section] key gives before it is cut to the caller's buffer:
// the value, or `def` (null: "") without its trailing spaces when the key is
// missing or has no "="; a NUL byte ends it; one pair of enclosing quotes goes;
// a length of 64 KiB or more wraps.
std::string ReadIniValue(const IniText& ini, std::string_view section, std::string_view key,
                         const char* def);

// The edits return whether the text changed. SetIniKey replaces the key's
// value where it is (the key keeps its spelling) or adds the key at the end of
// its section, adding the section at the end when missing.
bool SetIniKey(IniText& ini, std::string_view section, std::string_view key,
               std::string_view value);
bool RemoveIniKey(IniText& ini, std::string_view section, std::string_view key);
bool RemoveIniSection(IniText& ini, std::string_view section);

// The section's entries as the Win32 section read lists them: "key=value" (a
// line without "=" as its key alone), blanks around both gone, quotes kept.
std::vector<std::string> IniSectionEntries(const IniText& ini, std::string_view section);

}  // namespace zms::platform
