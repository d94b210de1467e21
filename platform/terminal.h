// The terminal of the search dialog's console view, which only the native
// build has (on Windows the dialog is a window): so this module has a POSIX
// side alone.
#pragma once
#include <string>

namespace zms::platform {

// One line of standard input without its line end (LF or CR LF); false at the
// end of input with nothing read.
bool ReadInputLine(std::string& line);

// Bytes to standard error, at once.
void WriteToTerminal(const std::string& bytes);

// Code-page-932 text as UTF-8 for a terminal; a byte that is no character
// of code page 932 shows as '?'.
std::string TerminalFromCp932(const std::string& cp932);

// A terminal's UTF-8 as code page 932. A byte that is not part of valid UTF-8,
// and a character that code page 932 lacks, are kept as the bytes they were.
std::string Cp932FromTerminal(const std::string& utf8);

}  // namespace zms::platform
