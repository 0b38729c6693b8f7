#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "logging/appenders/CRollingFileAppender.h"
#include "logging/layouts/CCSVLayout.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
using testsupport::ReadFile;
namespace fs = std::filesystem;

namespace {

bool Log(CAppenderSkeleton& appender, const std::string& message) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = Levels::Error;
    return appender.DoAppend(event);
}

struct RollingFixture {
    testsupport::TemporaryDirectory directory;
    CCSVLayout layout;  // header "H", records "<message>\r\n"
    CRollingFileAppender appender{"roll", Levels::All};

    RollingFixture(const char* maxFileSize, const char* maxBackupIndex) {
        layout.SetParam("Header", "H");
        layout.SetParam("ConversionPattern", "%m%n");
        appender.Layout = &layout;
        appender.SetParam("File", directory.File("app.log"));
        appender.SetParam("MaxFileSize", maxFileSize);
        appender.SetParam("MaxBackupIndex", maxBackupIndex);
        std::string error;
        EXPECT_TRUE(appender.Start(error)) << error;
    }
    std::string Read(const std::string& name) const { return ReadFile(directory.File(name)); }
    bool Exists(const std::string& name) const { return fs::exists(directory.File(name)); }
};

}  // namespace

TEST(RollingFileAppender, ParametersAndNames) {
    CRollingFileAppender appender("r", Levels::All);
    EXPECT_STREQ("RollingFileAppender", appender.GetClassName());
    EXPECT_EQ("10240000", appender.GetParam("MaxFileSize"));
    EXPECT_EQ("7", appender.GetParam("maxbackupindex"));
    EXPECT_TRUE(appender.SetParam("maxfilesize", "1MB"));
    EXPECT_EQ(1u, appender.MaxFileSize);
    appender.SetParam("MaxFileSize", " -1");
    EXPECT_EQ(UINT64_MAX, appender.MaxFileSize);  // widened with its sign: never rolls
    EXPECT_EQ("4294967295", appender.GetParam("MaxFileSize"));
    EXPECT_TRUE(appender.SetParam("File", "C:\\logs\\app.log"));
    EXPECT_EQ("C:\\logs\\app.3.log", appender.BackupName(3));
    appender.SetParam("File", "logs/app");
    EXPECT_EQ("logs/app.1", appender.BackupName(1));
    appender.SetParam("File", "dir.d\\app.tar.gz");
    EXPECT_EQ("dir.d\\app.tar.1.gz", appender.BackupName(1));
    EXPECT_FALSE(appender.SetParam("DatePattern", "x"));
}

TEST(RollingFileAppender, RollsBySizeShiftingBackups) {
    RollingFixture f("7", "3");  // "H\r\n" + one record of 4+2 bytes crosses 7
    for (const char* message : {"r001", "r002", "r003", "r004", "r005"})
        Log(f.appender, message);
    // Newest backup 1, oldest 3; r001 went beyond the oldest and is deleted.
    EXPECT_EQ("H\r\nr005\r\n", f.Read("app.1.log"));
    EXPECT_EQ("H\r\nr004\r\n", f.Read("app.2.log"));
    EXPECT_EQ("H\r\nr003\r\n", f.Read("app.3.log"));
    EXPECT_FALSE(f.Exists("app.4.log"));
    EXPECT_EQ("H\r\n", f.Read("app.log"));  // fresh file with its header

    // A record below the limit stays; the record that crosses it stays in the old file.
    RollingFixture g("12", "2");
    Log(g.appender, "ab");   // 3 + 4 = 7
    Log(g.appender, "cde");  // 12: rolls after writing
    Log(g.appender, "f");
    std::string error;
    g.appender.Stop(error);
    EXPECT_EQ("H\r\nab\r\ncde\r\n", g.Read("app.1.log"));
    EXPECT_EQ("H\r\nf\r\n", g.Read("app.log"));
}

TEST(RollingFileAppender, EdgeLimits) {
    RollingFixture zero("0", "7");  // every record rolls
    Log(zero.appender, "a");
    Log(zero.appender, "b");
    EXPECT_EQ("H\r\nb\r\n", zero.Read("app.1.log"));
    EXPECT_EQ("H\r\na\r\n", zero.Read("app.2.log"));

    RollingFixture none("0", "0");  // no backups: restarted, old content lost
    Log(none.appender, "a");
    Log(none.appender, "b");
    EXPECT_EQ("H\r\n", none.Read("app.log"));
    EXPECT_FALSE(none.Exists("app.1.log"));

    RollingFixture one("0", "1");
    Log(one.appender, "a");
    Log(one.appender, "b");
    EXPECT_EQ("H\r\nb\r\n", one.Read("app.1.log"));
    EXPECT_FALSE(one.Exists("app.2.log"));

    RollingFixture never("-5", "1");
    for (int i = 0; i < 50; ++i)
        Log(never.appender, "x");
    EXPECT_FALSE(never.Exists("app.1.log"));

    // A record the layout refuses is not written and makes no size test.
    RollingFixture refused("0", "1");
    refused.layout.SetParam("ConversionPattern", "%q");
    EXPECT_FALSE(Log(refused.appender, "a"));
    EXPECT_FALSE(refused.Exists("app.1.log"));
}

TEST(RollingFileAppender, AppendsOverTheLimitRollAfterTheFirstRecord) {
    testsupport::TemporaryDirectory directory;
    std::ofstream(directory.File("app.log"), std::ios::binary) << std::string(100, 'o');
    CRollingFileAppender appender("r", Levels::All);
    appender.SetParam("File", directory.File("app.log"));
    appender.SetParam("MaxFileSize", "50");
    std::string error;
    ASSERT_TRUE(appender.Start(error));
    EXPECT_EQ(100u, fs::file_size(directory.File("app.log")));  // no roll at open
    Log(appender, "first");
    EXPECT_EQ(std::string(100, 'o') + "first\n", ReadFile(directory.File("app.1.log")));
}

TEST(RollingFileAppender, FailedRenameKeepsEveryRecord) {
    RollingFixture f("0", "1");
    // A non-empty directory where backup 1 must go: it can be neither deleted nor
    // replaced, so the current file cannot be renamed.
    fs::create_directory(f.directory.File("app.1.log"));
    std::ofstream(f.directory.File("app.1.log") + "/keep") << "k";
    for (const char* message : {"a", "b", "c"})
        EXPECT_TRUE(Log(f.appender, message));
    EXPECT_EQ("H\r\na\r\nb\r\nc\r\n", f.Read("app.log"));
    EXPECT_TRUE(f.appender.IsFileOpen());

    fs::remove_all(f.directory.File("app.1.log"));
    Log(f.appender, "d");  // the next roll-over succeeds
    EXPECT_EQ("H\r\na\r\nb\r\nc\r\nd\r\n", f.Read("app.1.log"));
    EXPECT_EQ("H\r\n", f.Read("app.log"));

#ifdef _WIN32
    // Another process holding the file open without sharing its deletion blocks the
    // rename; the backups move once, not at every attempt, so none is lost.
    RollingFixture g("0", "3");
    Log(g.appender, "a");
    Log(g.appender, "b");
    {
        std::ifstream holder(g.directory.File("app.log"));
        ASSERT_TRUE(holder.is_open());
        Log(g.appender, "c");
        Log(g.appender, "d");
    }
    Log(g.appender, "e");
    EXPECT_EQ("H\r\nc\r\nd\r\ne\r\n", g.Read("app.1.log"));
    EXPECT_EQ("H\r\nb\r\n", g.Read("app.2.log"));
    EXPECT_EQ("H\r\na\r\n", g.Read("app.3.log"));
#endif
}

TEST(RollingFileAppender, TwoThreadsLoseAndInterleaveNothing) {
    RollingFixture f("4000", "50");
    constexpr int PerThread = 2000;
    auto writer = [&](char tag) {
        for (int i = 0; i < PerThread; ++i) {
            std::ostringstream line;
            line << tag << '-' << i << "-0123456789abcdefghij";
            Log(f.appender, line.str());
        }
    };
    std::thread first(writer, 'A');
    std::thread second(writer, 'B');
    first.join();
    second.join();
    std::string error;
    f.appender.Stop(error);

    std::set<std::string> seen;
    size_t lines = 0;
    for (const auto& entry : fs::directory_iterator(f.directory.Path())) {
        std::istringstream content(ReadFile(entry.path()));
        std::string line;
        while (std::getline(content, line)) {
            ASSERT_FALSE(line.empty());
            ASSERT_EQ('\r', line.back()) << line;
            line.pop_back();
            if (line == "H")
                continue;
            ASSERT_TRUE(line.size() >= 23 &&
                        line.substr(line.size() - 21) == "-0123456789abcdefghij")
                << line;
            seen.insert(line);
            ++lines;
        }
    }
    EXPECT_EQ(2u * PerThread, lines);
    EXPECT_EQ(2u * PerThread, seen.size());
}
