// A fresh, empty directory for one test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of `name` inside the directory, as a string.
    std::string File(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

// The whole content of a file, read in binary ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testsupport
