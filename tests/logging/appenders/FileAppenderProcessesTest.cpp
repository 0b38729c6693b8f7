// Several processes, of two threads each, writing one log through each of the four file
// appenders: every record must arrive whole, exactly once and in its thread's order, and
// the rolling appender's files must stay within their limit, also when one writer of the
// daily appender reads the time late. Natively the writers are forked; on Windows they
// are this program started again, told what to write by a variable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/CivilDate.h"
#include "platform/Clock.h"
#include "tests/logging/appenders/FileAppenderFixture.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
namespace fs = std::filesystem;

namespace {

constexpr int Writers = 4, Threads = 2;
#ifdef _WIN32
// Under Wine every append of every process waits on a lock held by the Wine server
// (Wine does not append atomically): fewer records keep the test within seconds.
constexpr int Records = 2000;
constexpr uint64_t MaxFileSize = 8000;
#else
constexpr int Records = 20000;
constexpr uint64_t MaxFileSize = 40000;
#endif
constexpr const char* Filler = "-0123456789abcdefghijklmnopqrstuvwxyz";

// Local time running `speed` times as fast as the system's tick count, from just before
// midnight less `lag` ms: one dated file every 1000 / speed ms, the same in every process
// but one that lags.
class FastClock : public platform::ClockSource {
  public:
    FastClock(uint32_t startTick, int speed, int lag)
        : m_startTick(startTick), m_speed(speed), m_lag(lag) {}
    platform::DateTime LocalTime() override {
        int64_t elapsed = static_cast<uint32_t>(platform::system_clock::TickCount() - m_startTick);
        return platform::CivilFromMilliseconds(platform::DaysFromCivil(2011, 5, 4) * 86400000 +
                                               86390000 + elapsed * m_speed - m_lag);
    }
    platform::DateTime UtcTime() override { return LocalTime(); }
    uint32_t TickCount() override { return platform::system_clock::TickCount(); }
    void Sleep(uint32_t milliseconds) override { platform::system_clock::Sleep(milliseconds); }

  private:
    uint32_t m_startTick;
    int m_speed, m_lag;
};

// Writes, in two threads, the records "P<tag> <number><filler>" described by `writer`
// ("<kind> <tag> <speed> <lag> <start tick> <file>", kind indexing
// filetests::Classes; the threads' tags are tag * Threads + 0 and 1); true when all were
// taken.
bool RunWriter(const char* writer) {
    int kind = 0, tag = 0, speed = 0, lag = 0, at = 0;
    unsigned start = 0;
    if (std::sscanf(writer, "%d %d %d %d %u %n", &kind, &tag, &speed, &lag, &start, &at) < 5)
        return false;
    FastClock clock(start, speed, lag);
    platform::SetClockSource(&clock);
    std::unique_ptr<CFileAppender> appender = filetests::Make(filetests::Classes[kind]);
    appender->SetParam("File", writer + at);
    appender->SetParam("DatePattern", "'.'yyyy-MM-dd-HH-mm-ss");
    appender->SetParam("MaxFileSize", std::to_string(MaxFileSize));
    appender->SetParam("MaxBackupIndex", "200");
    std::string error;
    bool ok = appender->Start(error);
    std::atomic<int> taken{0};
    auto write = [&](int thread) {
        char message[80];
        for (int i = 0; i < Records / Threads; ++i) {
            std::snprintf(message, sizeof message, "P%d %05d%s", tag * Threads + thread, i, Filler);
            taken += filetests::Log(*appender, message);
        }
    };
    std::thread second(write, 1);
    write(0);
    second.join();
    ok = ok && taken == Records && appender->WriteFailures() == 0;
    appender->Stop(error);
    appender.reset();
    platform::SetClockSource(nullptr);
    return ok;
}

#ifdef _WIN32
constexpr const char* WriterVariable = "SCRIVLOG_TEST_WRITER";

// A writer started again from this program: its variable says what to write.
class WriterEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        char text[600];
        DWORD length = GetEnvironmentVariableA(WriterVariable, text, sizeof text);
        if (length == 0 || length >= sizeof text)
            return;
        ExitProcess(RunWriter(text) ? 0 : 1);
    }
};
const auto* const g_writerEnvironment = ::testing::AddGlobalTestEnvironment(new WriterEnvironment);
#endif

// Starts the writers as processes and waits for all of them; true when each took all its
// records. Natively they are forked; on Windows they are this program started again.
bool RunWriters(const std::vector<std::string>& writers) {
    size_t passed = 0;
#ifdef _WIN32
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::vector<HANDLE> children;
    for (const std::string& writer : writers) {
        SetEnvironmentVariableA(WriterVariable, writer.c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string line =
            std::string("\"") + program + "\" --gtest_filter=FileAppenderProcesses.*";
        if (CreateProcessA(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            CloseHandle(process.hThread);
            children.push_back(process.hProcess);
        }
    }
    SetEnvironmentVariableA(WriterVariable, nullptr);
    for (HANDLE child : children) {
        DWORD code = 1;
        passed += WaitForSingleObject(child, 120000) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(child, &code) && code == 0;
        CloseHandle(child);
    }
#else
    std::vector<pid_t> children;
    for (const std::string& writer : writers) {
        pid_t child = fork();
        if (child == 0)
            _exit(RunWriter(writer.c_str()) ? 0 : 1);
        if (child > 0)
            children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        passed +=
            waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
#endif
    return passed == writers.size();
}

// The files of the directory, oldest first: numbered backups from the highest number
// down, dated files in date order, the undated name last.
std::map<std::string, fs::path> FilesOldestFirst(const fs::path& directory) {
    std::map<std::string, fs::path> files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        std::string name = entry.path().filename().string();
        int number = 0;
        if (name == "app.log")
            name = "~";
        else if (std::sscanf(name.c_str(), "app.%d.log", &number) == 1 &&
                 name.find('-') == name.npos)
            name = std::to_string(1000000 - number);
        files[name] = entry.path();
    }
    return files;
}

}  // namespace

TEST(FileAppenderProcesses, EveryRecordOnceWholeAndInOrder) {
    // Each class with a file every 50 ms; then the daily appender with a file every 10 ms
    // and a writer that lags six files behind the others, more than their note keeps.
    const int rows[][3] = {{0, 20, 0}, {1, 20, 0}, {2, 20, 0}, {3, 20, 0}, {2, 100, 6000}};
    for (auto [kind, speed, lag] : rows) {
        SCOPED_TRACE(std::string(filetests::Classes[kind]) + " lag " + std::to_string(lag));
        testsupport::TemporaryDirectory directory;
        std::vector<std::string> writers;
        uint32_t startTick = platform::system_clock::TickCount();
        for (int tag = 0; tag < Writers; ++tag) {
            char writer[64];
            std::snprintf(writer, sizeof writer, "%d %d %d %d %u ", kind, tag, speed,
                          tag == Writers - 1 ? lag : 0, startTick);
            writers.push_back(writer + directory.File("app.log"));
        }
        ASSERT_TRUE(RunWriters(writers));

        // Each thread's numbers follow each other through the files, oldest first.
        int next[Writers * Threads] = {};
        size_t torn = 0, files = 0, oversized = 0;
        for (const auto& [key, file] : FilesOldestFirst(directory.Path())) {
            ++files;
            std::string content = testsupport::ReadFile(file);
            if (kind == 1 && content.size() >= MaxFileSize + Writers * 64)
                ++oversized;
            std::istringstream lines(content);
            for (std::string line; std::getline(lines, line);) {
                int tag = -1, number = -1;
                char filler[64] = {};
                if (std::sscanf(line.c_str(), "P%d %5d%63s", &tag, &number, filler) != 3 ||
                    tag < 0 || tag >= Writers * Threads || std::string(filler) != Filler ||
                    number != next[tag]) {
                    ++torn;
                    continue;
                }
                ++next[tag];
            }
        }
        EXPECT_EQ(0u, torn);
        EXPECT_EQ(0u, oversized);
        for (int count : next)
            EXPECT_EQ(Records / Threads, count);
        // The file appender writes one file; the others switched.
        EXPECT_TRUE(kind == 0 ? files == 1 : files >= 3) << files;
    }
}
