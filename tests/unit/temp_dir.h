// A fresh, empty directory for one test, removed with everything in it.
#pragma once
#include <string>

namespace zms::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // The full path of `name` inside the directory, in the OS's own form.
    std::string File(const std::string& name) const;
    // The names of the directory's entries, sorted.
    std::string Listing() const;

private:
    std::string path_;
};

// Whole-file helpers for checking what a write left on disk. ReadBytes gives
// "<missing>" for a file that does not exist.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace zms::test
