#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "logging/appenders/CRollingFileAppender.h"
#include "logging/layouts/CPatternLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;
using filetests::Log;
namespace fs = std::filesystem;

using Fixture = filetests::FileFixture<CRollingFileAppender>;

TEST(RollingFileAppender, ParametersAndBackupNames) {
    CRollingFileAppender appender("r", Levels::All);
    EXPECT_EQ("10240000", appender.GetParam("MaxFileSize"));
    EXPECT_EQ("7", appender.GetParam("maxbackupindex"));
    EXPECT_TRUE(appender.SetParam("maxfilesize", "1MB"));
    EXPECT_EQ(1u, appender.MaxFileSize);
    appender.SetParam("MaxFileSize", " -1");
    EXPECT_EQ(UINT64_MAX, appender.MaxFileSize);  // widened with its sign: never rolls
    EXPECT_EQ("4294967295", appender.GetParam("MaxFileSize"));
    const char* names[][2] = {{"C:\\logs\\app.log", "C:\\logs\\app.1.log"},
                              {"logs/app", "logs/app.1"},
                              {"dir.d\\app.tar.gz", "dir.d\\app.tar.1.gz"}};
    for (const auto& name : names) {
        appender.SetParam("File", name[0]);
        EXPECT_EQ(name[1], appender.BackupName(1));
    }
}

TEST(RollingFileAppender, RollsBySizeShiftingBackups) {
    using Files = std::vector<std::pair<const char*, const char*>>;  // "": no such file
    struct {
        const char *size, *backups;
        std::initializer_list<const char*> messages;
        Files files;
    } cases[] = {
        // "H|" + "r001;" reaches 7. Newest backup 1; r001 went beyond backup 3.
        {"7",
         "3",
         {"r001", "r002", "r003", "r004", "r005"},
         {{"app.log", "H|F|"},
          {"app.1.log", "H|r005;F|"},
          {"app.2.log", "H|r004;F|"},
          {"app.3.log", "H|r003;F|"},
          {"app.4.log", ""}}},
        // Below the limit a record stays; the one that reaches it stays in the old file.
        {"9", "2", {"ab", "cde", "f"}, {{"app.1.log", "H|ab;cde;F|"}, {"app.log", "H|f;F|"}}},
        {"0", "7", {"a", "b"}, {{"app.1.log", "H|b;F|"}, {"app.2.log", "H|a;F|"}}},
        {"0", "1", {"a", "b"}, {{"app.1.log", "H|b;F|"}, {"app.2.log", ""}}},
        // No backups: the file starts again and its records are lost.
        {"0", "0", {"a", "b"}, {{"app.log", "H|F|"}, {"app.1.log", ""}}},
        {"-5", "1", {"a", "b", "c"}, {{"app.log", "H|a;b;c;F|"}, {"app.1.log", ""}}},
    };
    for (const auto& test : cases) {
        Fixture f;
        f.appender.SetParam("MaxFileSize", test.size);
        f.appender.SetParam("MaxBackupIndex", test.backups);
        f.Session(test.messages);
        for (const auto& [name, content] : test.files) {
            EXPECT_EQ(*content != '\0', f.Exists(name)) << test.size << " " << name;
            EXPECT_EQ(content, f.Read(name)) << test.size << " " << name;
        }
    }

    // A record the layout refuses is not written and makes no size test.
    CPatternLayout broken;
    broken.SetParam("ConversionPattern", "%q");
    Fixture refused;
    refused.appender.SetParam("MaxFileSize", "0");
    refused.appender.Layout = &broken;
    refused.Start();
    EXPECT_FALSE(Log(refused.appender, "a"));
    refused.Stop();
    EXPECT_FALSE(refused.Exists("app.1.log"));

    // A file appended to over the limit rolls after its first record, not at the open.
    Fixture over;
    std::ofstream(over.directory.File("app.log"), std::ios::binary) << std::string(100, 'o');
    over.appender.SetParam("MaxFileSize", "50");
    over.Start();
    EXPECT_FALSE(over.Exists("app.1.log"));
    Log(over.appender, "first");
    EXPECT_EQ(std::string(100, 'o') + "H|first;F|", over.Read("app.1.log"));
}

TEST(RollingFileAppender, FailedRenameKeepsEveryRecord) {
    Fixture f;
    f.appender.SetParam("MaxFileSize", "0");
    f.appender.SetParam("MaxBackupIndex", "1");
    f.Start();
    // A non-empty directory where backup 1 must go: it can be neither deleted nor
    // replaced, so the current file cannot be renamed.
    fs::create_directory(f.directory.File("app.1.log"));
    std::ofstream(f.directory.File("app.1.log") + "/keep") << "k";
    for (const char* message : {"a", "b", "c"})
        EXPECT_TRUE(Log(f.appender, message));
    EXPECT_EQ("H|a;b;c;", f.Read("app.log"));
    EXPECT_TRUE(f.appender.IsFileOpen());
    fs::remove_all(f.directory.File("app.1.log"));
    Log(f.appender, "d");  // the next roll-over succeeds
    EXPECT_EQ("H|a;b;c;d;F|", f.Read("app.1.log"));
    EXPECT_EQ("H|", f.Read("app.log"));

#ifdef _WIN32
    // Another process holding the file open without sharing its deletion blocks the
    // rename; the backups move once, not at every attempt, so none is lost.
    Fixture g;
    g.appender.SetParam("MaxFileSize", "0");
    g.appender.SetParam("MaxBackupIndex", "3");
    g.Start();
    g.LogAll({"a", "b"});
    {
        std::ifstream holder(g.directory.File("app.log"));
        ASSERT_TRUE(holder.is_open());
        g.LogAll({"c", "d"});
    }
    Log(g.appender, "e");
    EXPECT_EQ("H|c;d;e;F|", g.Read("app.1.log"));
    EXPECT_EQ("H|b;F|", g.Read("app.2.log"));
    EXPECT_EQ("H|a;F|", g.Read("app.3.log"));
#endif
}

TEST(RollingFileAppender, TwoThreadsLoseAndInterleaveNothing) {
    Fixture f;
    f.appender.Layout = nullptr;  // one line per record
    f.appender.SetParam("MaxFileSize", "4000");
    f.appender.SetParam("MaxBackupIndex", "50");
    f.Start();
    constexpr int PerThread = 2000;
    auto writer = [&](char tag) {
        for (int i = 0; i < PerThread; ++i)
            Log(f.appender, tag + std::to_string(i) + "-0123456789abcdefghij");
    };
    std::thread first(writer, 'A'), second(writer, 'B');
    first.join();
    second.join();
    f.Stop();

    std::set<std::string> seen;
    size_t lines = 0;
    for (const auto& entry : fs::directory_iterator(f.directory.Path())) {
        std::istringstream content(testsupport::ReadFile(entry.path()));
        for (std::string line; std::getline(content, line); ++lines) {
            ASSERT_TRUE(line.size() >= 22 &&
                        line.substr(line.size() - 21) == "-0123456789abcdefghij")
                << line;
            seen.insert(line);
        }
    }
    EXPECT_EQ(2u * PerThread, lines);
    EXPECT_EQ(2u * PerThread, seen.size());
}
