// The rolling file appender with the default pattern, side by side with the floor (one
// write() system call per already formatted line of the same length) and spdlog's file
// sinks flushed after every record (each record reaches the operating system before the
// call returns, as ours do); two threads on one appender, with the lines counted; four
// processes on one file against one process writing as many records; and the pattern
// formatting alone.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spdlog/pattern_formatter.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/BenchSupport.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "logging/core/CLogger.h"
#include "logging/layouts/CPatternLayout.h"
#include "platform/FileNameLock.h"
#include "platform/Files.h"

using namespace scrivlog;
namespace fs = std::filesystem;

namespace {

constexpr const char* DefaultPattern = "%d [%-5p] [%-15c{1}-%8t] %m%n";
// spdlog's nearest equivalent: date with milliseconds, level, last logger component
// and thread padded the same way.
constexpr const char* SpdlogPattern = "%Y-%m-%d %H:%M:%S,%e [%-5l] [%-15n-%8t] %v";
constexpr const char* Message = "Unable to touch file";
constexpr int64_t Records = 1000000;

// A fresh directory for one benchmark's files, removed afterwards.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        char name[] = "/tmp/scrivlog-bench-XXXXXX";
        if (!mkdtemp(name))
            std::abort();
        m_path = name;
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
        platform::RemoveFile(platform::FileNameLock::LockFileName(LogName()));
    }
    std::string File(const char* name) const { return (m_path / name).string(); }
    // The appenders' file: its lock file goes with the directory.
    std::string LogName() const { return File("Tamarack.log"); }
    const fs::path& Path() const { return m_path; }

  private:
    fs::path m_path;
};

CLoggingEvent MakeEvent() {
    CLoggingEvent event;
    event.Message = Message;
    event.Category = "com.brenmoor.quillhaven.Tamarack.ShellExt";
    event.ThreadName = "3412";
    event.Level = Levels::Error;
    event.AppenderName = "DefaultAppender";
    event.AppenderClassName = "RollingFileAppender";
    return event;
}

// Starts a rolling appender on `file` as the compiled-in configuration makes it.
void StartRolling(CRollingFileAppender& appender, CPatternLayout& layout, const std::string& file,
                  const char* maxBackupIndex) {
    layout.SetParam("ConversionPattern", DefaultPattern);
    appender.Layout = &layout;
    appender.SetParam("File", file);
    appender.SetParam("MaxFileSize", "1000000");
    appender.SetParam("MaxBackupIndex", maxBackupIndex);
    std::string error;
    if (!appender.Start(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
}

// A rolling appender writing Tamarack.log in a directory of its own.
struct RollingSetup {
    ScratchDirectory directory;
    CPatternLayout layout;
    CRollingFileAppender appender{"DefaultAppender", Levels::All};
    explicit RollingSetup(const char* maxBackupIndex = "7") {
        StartRolling(appender, layout, directory.LogName(), maxBackupIndex);
    }
};

void ReportAllocations(benchmark::State& state, uint64_t before) {
    state.counters["allocs/record"] =
        benchmark::Counter(static_cast<double>(benchsupport::AllocationCount() - before) /
                           static_cast<double>(state.iterations()));
}

void Floor_WriteCall(benchmark::State& state) {
    ScratchDirectory directory;
    CPatternLayout layout;
    layout.SetParam("ConversionPattern", DefaultPattern);
    std::string line;
    layout.Format(MakeEvent(), line);
    int descriptor = open(directory.File("floor.log").c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    for (auto _ : state)
        benchmark::DoNotOptimize(write(descriptor, line.data(), line.size()));
    close(descriptor);
}
BENCHMARK(Floor_WriteCall)->Iterations(Records);

void Scrivlog_RollingAppend(benchmark::State& state) {
    RollingSetup setup;
    CLoggingEvent event = MakeEvent();
    setup.appender.DoAppend(event);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(setup.appender.DoAppend(event));
    ReportAllocations(state, before);
}
BENCHMARK(Scrivlog_RollingAppend)->Iterations(Records);

void Scrivlog_RollingLogCall(benchmark::State& state) {
    RollingSetup setup;
    CLogger logger("com.brenmoor.quillhaven.Tamarack.ShellExt", Levels::Error, true);
    logger.AddAppender(&setup.appender);
    logger.LogError("%s", Message);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(logger.LogError("%s", Message));
    ReportAllocations(state, before);
}
BENCHMARK(Scrivlog_RollingLogCall)->Iterations(Records);

template <typename Sink>
std::shared_ptr<spdlog::logger> MakeSpdlogLogger(const std::string& file) {
    auto sink = std::make_shared<Sink>(file, true);
    auto logger = std::make_shared<spdlog::logger>("ShellExt", sink);
    logger->set_pattern(SpdlogPattern);
    logger->flush_on(spdlog::level::trace);  // every record reaches the system
    return logger;
}

void Spdlog_FileSinkFlushed(benchmark::State& state) {
    ScratchDirectory directory;
    auto logger = MakeSpdlogLogger<spdlog::sinks::basic_file_sink_st>(directory.File("s.log"));
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state)
        logger->error(Message);
    ReportAllocations(state, before);
}
BENCHMARK(Spdlog_FileSinkFlushed)->Iterations(Records);

// Two threads on one appender. The appender is made by the first thread before the
// timed loop (the threads meet at its start) and checked after it.
std::unique_ptr<RollingSetup> g_shared;
std::unique_ptr<CLogger> g_sharedLogger;

// Counts the record lines in every file of the directory; false when one is torn.
bool CountLines(const fs::path& directory, int64_t& lines) {
    lines = 0;
    for (const auto& entry : fs::directory_iterator(directory)) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(file, line)) {
            if (line.size() < 2 || line.back() != '\r' ||
                line.find(Message) != line.size() - 1 - std::char_traits<char>::length(Message))
                return false;
            ++lines;
        }
    }
    return true;
}

void Scrivlog_RollingTwoThreads(benchmark::State& state) {
    if (state.thread_index() == 0) {
        g_shared = std::make_unique<RollingSetup>("200");
        g_sharedLogger = std::make_unique<CLogger>("com.brenmoor.quillhaven.Tamarack.ShellExt",
                                                   Levels::Error, true);
        g_sharedLogger->AddAppender(&g_shared->appender);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(g_sharedLogger->LogError("%s", Message));
    if (state.thread_index() == 0) {
        std::string error;
        g_shared->appender.Stop(error);
        int64_t lines = 0;
        bool whole = CountLines(g_shared->directory.Path(), lines);
        state.counters["lines"] = static_cast<double>(lines);
        if (!whole || lines != state.iterations() * state.threads())
            state.SkipWithError("lines were lost or torn");
        g_sharedLogger.reset();
        g_shared.reset();
    }
}
BENCHMARK(Scrivlog_RollingTwoThreads)->Threads(2)->Iterations(Records / 2)->UseRealTime();

std::shared_ptr<spdlog::logger> g_spdlogShared;
std::unique_ptr<ScratchDirectory> g_spdlogDirectory;

void Spdlog_FileSinkTwoThreads(benchmark::State& state) {
    if (state.thread_index() == 0) {
        g_spdlogDirectory = std::make_unique<ScratchDirectory>();
        g_spdlogShared =
            MakeSpdlogLogger<spdlog::sinks::basic_file_sink_mt>(g_spdlogDirectory->File("s.log"));
    }
    for (auto _ : state)
        g_spdlogShared->error(Message);
    if (state.thread_index() == 0) {
        g_spdlogShared.reset();
        g_spdlogDirectory.reset();
    }
}
BENCHMARK(Spdlog_FileSinkTwoThreads)->Threads(2)->Iterations(Records / 2)->UseRealTime();

// `processes` forked processes share the records out and write them through rolling
// appenders of one file; the time is the wall time until the last has finished.
void ForkedWriters(benchmark::State& state, int processes) {
    ScratchDirectory directory;
    std::string file = directory.LogName();
    for (auto _ : state) {
        std::vector<pid_t> children;
        for (int i = 0; i < processes; ++i) {
            pid_t child = fork();
            if (child == 0) {
                CPatternLayout layout;
                CRollingFileAppender appender("DefaultAppender", Levels::All);
                StartRolling(appender, layout, file, "7");
                CLoggingEvent event = MakeEvent();
                for (int64_t record = 0; record < Records / processes; ++record)
                    appender.DoAppend(event);
                _exit(0);
            }
            children.push_back(child);
        }
        for (pid_t child : children)
            waitpid(child, nullptr, 0);
    }
    state.counters["records/s"] = benchmark::Counter(
        static_cast<double>(Records * state.iterations()), benchmark::Counter::kIsRate);
}

void Scrivlog_RollingOneProcess(benchmark::State& state) {
    ForkedWriters(state, 1);
}
BENCHMARK(Scrivlog_RollingOneProcess)->Iterations(1)->UseRealTime();

void Scrivlog_RollingFourProcesses(benchmark::State& state) {
    ForkedWriters(state, 4);
}
BENCHMARK(Scrivlog_RollingFourProcesses)->Iterations(1)->UseRealTime();

void Scrivlog_PatternFormat(benchmark::State& state) {
    CPatternLayout layout;
    layout.SetParam("ConversionPattern", DefaultPattern);
    CLoggingEvent event = MakeEvent();
    std::string text;
    layout.Format(event, text);
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state) {
        layout.Format(event, text);
        benchmark::DoNotOptimize(text.data());
    }
    ReportAllocations(state, before);
}
BENCHMARK(Scrivlog_PatternFormat);

void Spdlog_PatternFormat(benchmark::State& state) {
    spdlog::pattern_formatter formatter(SpdlogPattern, spdlog::pattern_time_type::local, "\r\n");
    spdlog::details::log_msg message("ShellExt", spdlog::level::err, Message);
    spdlog::memory_buf_t buffer;
    uint64_t before = benchsupport::AllocationCount();
    for (auto _ : state) {
        buffer.clear();
        formatter.format(message, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
    ReportAllocations(state, before);
}
BENCHMARK(Spdlog_PatternFormat);

}  // namespace

int main(int argc, char** argv) {
    return benchsupport::RunBenchmarks(
        argc, argv,
        {{"rolling appender record / write() floor", "Scrivlog_RollingAppend/iterations:1000000",
          "Floor_WriteCall/iterations:1000000", 1.3},
         {"rolling appender log call / write() floor", "Scrivlog_RollingLogCall/iterations:1000000",
          "Floor_WriteCall/iterations:1000000", 1.3},
         {"rolling appender log call / spdlog file sink, flushed",
          "Scrivlog_RollingLogCall/iterations:1000000", "Spdlog_FileSinkFlushed/iterations:1000000",
          1.0},
         {"four processes on one file / one process, as many records",
          "Scrivlog_RollingFourProcesses/iterations:1/real_time",
          "Scrivlog_RollingOneProcess/iterations:1/real_time", 2.0},
         {"two threads / spdlog mt file sink, flushed",
          "Scrivlog_RollingTwoThreads/iterations:500000/real_time/threads:2",
          "Spdlog_FileSinkTwoThreads/iterations:500000/real_time/threads:2", 1.0},
         {"pattern formatting / spdlog formatter", "Scrivlog_PatternFormat", "Spdlog_PatternFormat",
          1.5}});
}
