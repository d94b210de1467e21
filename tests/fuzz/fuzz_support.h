// What the fuzz targets share: a scratch directory for the files they write,
// and the way a broken property is reported (a message, then abort(), which
// libFuzzer reports as a crash and saves the input).
#pragma once
#include <string>

namespace zms::fuzz {

// A fresh directory under $TMPDIR, else /dev/shm (writes there need no disk),
// else /tmp; removed with everything in it when the process exits.
const std::string& ScratchDir();

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Prints what went wrong, with the texts involved shown byte for byte, and aborts.
[[noreturn]] void Fail(const std::string& what, const std::string& detail = "");

// A text shown with every byte outside printable ASCII as \xNN.
std::string Visible(const std::string& bytes);

}  // namespace zms::fuzz
