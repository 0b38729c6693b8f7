// A fresh, empty directory for one test, removed with everything in it at the end,
// together with the lock files that writers of its files left.
#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

class TemporaryDirectory {
  public:
    TemporaryDirectory();
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of `name` inside the directory, as a string.
    std::string File(const std::string& name) const;
    // Removes the lock file of `fileName` too at the end (File does it for its names).
    void Track(const std::string& fileName) const;

  private:
    std::filesystem::path m_path;
    mutable std::mutex m_filesLock;
    mutable std::vector<std::string> m_files;  // the names File gave
};

// The whole content of a file, read in binary ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

}  // namespace testsupport
