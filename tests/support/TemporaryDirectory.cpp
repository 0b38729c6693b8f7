#include "tests/support/TemporaryDirectory.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/Environment.h"
#include "platform/FileNameLock.h"
#include "platform/Files.h"

namespace testsupport {

TemporaryDirectory::TemporaryDirectory() {
    // The thread id (unique among running processes), the time and a count: a new name.
    static std::atomic<unsigned> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("tamarack-test-" + std::to_string(platform::CurrentThreadId()) + '-' +
              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + '-' +
              std::to_string(counter++));
    if (!std::filesystem::create_directory(m_path))
        throw std::runtime_error("cannot create the temporary directory " + m_path.string());
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    for (auto entry = std::filesystem::recursive_directory_iterator(m_path, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored))
        m_files.push_back(entry->path().string());
    for (const std::string& name : m_files)
        platform::RemoveFile(platform::FileNameLock::LockFileName(name));
    std::filesystem::remove_all(m_path, ignored);
}

std::string TemporaryDirectory::File(const std::string& name) const {
    std::string path = (m_path / name).string();
    Track(path);
    return path;
}

void TemporaryDirectory::Track(const std::string& fileName) const {
    std::lock_guard<std::mutex> guard(m_filesLock);
    m_files.push_back(fileName);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

}  // namespace testsupport
