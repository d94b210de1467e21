// The registry of the native build as text: a registry export in the Windows
// .reg format, as far as our tests and zms-host write it; no I/O
// (platform/posix/registry.cpp reads the file and hands out the keys).
//
//   Windows Registry Editor Version 5.00        <- the first line ("REGEDIT4"
//                                                  too; a UTF-8 mark before it
//   ; a comment line                               is skipped)
//   [HKEY_CURRENT_USER\Software\Orlemco\Zentoro\Env]
//   "MacroPath"="C:\\Macros\\"                  <- REG_SZ: its bytes and a NUL
//   @="the key's default value"
//   "Count"=dword:0000000a                      <- REG_DWORD, 1 to 8 hex digits
//   "Blob"=hex:01,02,ff                         <- REG_BINARY
//   "List"=hex(7):61,00,62,00,00,00,\           <- type in hex, bytes as listed;
//     63,00                                        a trailing backslash goes on
//                                                  with the next line
//
// A section names a key by its full path and makes it and every key above it
// exist; repeated sections add up, and a value given twice keeps the later
// data. In quotes \\ stands for a backslash and \" for a quote. Lines that
// cannot be read so are skipped. Names match without regard to the case of
// ASCII letters (Windows folds other letters too; not done here). The text is
// code page 932 bytes, never converted.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace zms::platform {

struct RegValue {
    uint32_t type;
    std::string data;
};

// Values by name ("" the default value), keys by full path, both folded
// (text::FoldAsciiCase in text/cp932.h).
using RegValues = std::map<std::string, RegValue>;
using RegKeys = std::map<std::string, RegValues>;

// The keys of a .reg text; none when it does not begin with the header.
RegKeys ParseRegText(std::string_view text);

// Whether the key at `path` (folded) exists: a section names it or a key below.
bool RegKeyExists(const RegKeys& keys, const std::string& path);

}  // namespace zms::platform
