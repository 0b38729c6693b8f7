// Several processes writing one log through each of the four file appenders: every
// record must arrive whole, exactly once and in its process's order, and the rolling
// appender's files must stay within their limit. Natively the writers are forked;
// on Windows they are this program started again, told what to write by a variable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "logging/appenders/CDailyFileAppender.h"
#include "logging/appenders/CDailyRollingFileAppender.h"
#include "logging/appenders/CFileAppender.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "platform/CivilDate.h"
#include "platform/Clock.h"
#include "tests/logging/appenders/FileAppenderFixture.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
namespace fs = std::filesystem;

namespace {

constexpr int Writers = 4;
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

// Local time running twenty times as fast as the system's tick count, from just before
// midnight: one dated file every 50 ms, the same in every process.
class FastClock : public platform::ClockSource {
  public:
    explicit FastClock(uint32_t startTick) : m_startTick(startTick) {}
    platform::DateTime LocalTime() override {
        int64_t elapsed = static_cast<uint32_t>(platform::system_clock::TickCount() - m_startTick);
        return platform::CivilFromMilliseconds(platform::DaysFromCivil(2011, 5, 4) * 86400000 +
                                               86390000 + elapsed * 20);
    }
    platform::DateTime UtcTime() override { return LocalTime(); }
    uint32_t TickCount() override { return platform::system_clock::TickCount(); }
    void Sleep(uint32_t milliseconds) override { platform::system_clock::Sleep(milliseconds); }

  private:
    uint32_t m_startTick;
};

struct Writer {
    int kind;  // index into MakeAppender
    int tag;
    uint32_t startTick;
    std::string file;
};

std::unique_ptr<CFileAppender> MakeAppender(int kind) {
    switch (kind) {
        case 0:
            return std::make_unique<CFileAppender>("w", Levels::All);
        case 1: {
            auto rolling = std::make_unique<CRollingFileAppender>("w", Levels::All);
            rolling->MaxFileSize = MaxFileSize;
            rolling->MaxBackupIndex = 200;
            return rolling;
        }
        case 2:
            return std::make_unique<CDailyFileAppender>("w", Levels::All);
        default:
            return std::make_unique<CDailyRollingFileAppender>("w", Levels::All);
    }
}

// Writes this writer's records "P<tag> <number><filler>"; true when all were taken.
bool RunWriter(const Writer& writer) {
    FastClock clock(writer.startTick);
    platform::SetClockSource(&clock);
    std::unique_ptr<CFileAppender> appender = MakeAppender(writer.kind);
    appender->SetParam("File", writer.file);
    appender->SetParam("DatePattern", "'.'yyyy-MM-dd-HH-mm-ss");
    std::string error;
    bool ok = appender->Start(error);
    char message[80];
    for (int i = 0; ok && i < Records; ++i) {
        std::snprintf(message, sizeof message, "P%d %05d%s", writer.tag, i, Filler);
        ok = filetests::Log(*appender, message) && appender->WriteFailures() == 0;
    }
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
        Writer writer;
        unsigned startTick = 0;
        int consumed = 0;
        if (std::sscanf(text, "%d %d %u %n", &writer.kind, &writer.tag, &startTick, &consumed) < 3)
            ExitProcess(2);
        writer.startTick = startTick;
        writer.file = text + consumed;
        ExitProcess(RunWriter(writer) ? 0 : 1);
    }
};
const auto* const g_writerEnvironment = ::testing::AddGlobalTestEnvironment(new WriterEnvironment);

// Starts the writers as processes of this program and waits for all of them.
bool RunWriters(const std::vector<Writer>& writers) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::string commandLine =
        std::string("\"") + program + "\" --gtest_filter=FileAppenderProcesses.*";
    std::vector<HANDLE> processes;
    for (const Writer& writer : writers) {
        std::string value = std::to_string(writer.kind) + " " + std::to_string(writer.tag) + " " +
                            std::to_string(writer.startTick) + " " + writer.file;
        SetEnvironmentVariableA(WriterVariable, value.c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        if (CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            CloseHandle(process.hThread);
            processes.push_back(process.hProcess);
        }
    }
    SetEnvironmentVariableA(WriterVariable, nullptr);
    bool ok = processes.size() == writers.size();
    for (HANDLE process : processes) {
        DWORD code = 1;
        ok = WaitForSingleObject(process, 120000) == WAIT_OBJECT_0 &&
             GetExitCodeProcess(process, &code) && code == 0 && ok;
        CloseHandle(process);
    }
    return ok;
}
#else
bool RunWriters(const std::vector<Writer>& writers) {
    std::vector<pid_t> children;
    for (const Writer& writer : writers) {
        pid_t child = fork();
        if (child == 0)
            _exit(RunWriter(writer) ? 0 : 1);
        if (child > 0)
            children.push_back(child);
    }
    bool ok = children.size() == writers.size();
    for (pid_t child : children) {
        int status = 0;
        ok = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
             ok;
    }
    return ok;
}
#endif

// The files of the directory, oldest first: numbered backups from the highest number
// down, dated files in date order, the undated name last.
std::vector<fs::path> FilesOldestFirst(const fs::path& directory) {
    std::vector<std::pair<std::string, fs::path>> files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        std::string name = entry.path().filename().string();
        std::string key = name == "app.log" ? "~" : name;
        int number = 0;
        if (std::sscanf(name.c_str(), "app.%d.log", &number) == 1 && name.find('-') == name.npos)
            key = std::to_string(1000000 - number);
        files.emplace_back(key, entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<fs::path> paths;
    for (const auto& file : files)
        paths.push_back(file.second);
    return paths;
}

}  // namespace

TEST(FileAppenderProcesses, EveryRecordOnceWholeAndInOrder) {
    const char* kinds[] = {"FileAppender", "RollingFileAppender", "DailyFileAppender",
                           "DailyRollingFileAppender"};
    for (int kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE(kinds[kind]);
        testsupport::TemporaryDirectory directory;
        std::vector<Writer> writers;
        uint32_t startTick = platform::system_clock::TickCount();
        for (int tag = 0; tag < Writers; ++tag)
            writers.push_back({kind, tag, startTick, directory.File("app.log")});
        ASSERT_TRUE(RunWriters(writers));

        // Each process's numbers follow each other through the files, oldest first.
        int next[Writers] = {};
        size_t torn = 0, files = 0, oversized = 0;
        for (const fs::path& file : FilesOldestFirst(directory.Path())) {
            ++files;
            std::string content = testsupport::ReadFile(file);
            if (kind == 1 && content.size() >= MaxFileSize + Writers * 64)
                ++oversized;
            std::istringstream lines(content);
            for (std::string line; std::getline(lines, line);) {
                int tag = -1, number = -1;
                char filler[64] = {};
                if (std::sscanf(line.c_str(), "P%d %5d%63s", &tag, &number, filler) != 3 ||
                    tag < 0 || tag >= Writers || std::string(filler) != Filler ||
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
            EXPECT_EQ(Records, count);
        // The file appender writes one file; the others switched.
        EXPECT_TRUE(kind == 0 ? files == 1 : files >= 3) << files;
    }
}
