#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logging/layouts/CPatternLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;
using filetests::Log;
namespace fs = std::filesystem;

namespace {

struct Fixture : filetests::FileFixture {
    Fixture(const char* maxFileSize, const char* maxBackupIndex)
        : FileFixture("RollingFileAppender") {
        appender.SetParam("MaxFileSize", maxFileSize);
        appender.SetParam("MaxBackupIndex", maxBackupIndex);
    }
};

}  // namespace

TEST(RollingFileAppender, ParametersAndDerivedNames) {
    CRollingFileAppender appender("r", Levels::All);
    EXPECT_EQ("10240000/7",
              appender.GetParam("MaxFileSize") + "/" + appender.GetParam("maxbackupindex"));
    EXPECT_TRUE(appender.SetParam("maxfilesize", " -1"));  // never rolls: shown unsigned
    EXPECT_EQ("4294967295", appender.GetParam("MaxFileSize"));
    // The backup number and the date text go before the extension; a dot in a directory
    // is no extension.
    testsupport::SettableClock clock;
    clock.SetLocalTime(2011, 5, 4, 12, 0, 0);
    CDailyFileAppender daily("d", Levels::All);
    daily.SetParam("DatePattern", "'_'yyyy");
    std::string names;
    for (const char* name : {"C:\\logs\\app.log", "logs/app", "dir.d\\app.tar.gz"}) {
        appender.SetParam("File", name);
        daily.SetParam("File", name);
        names += appender.BackupName(1) + " " + daily.BuildFileName() + " ";
    }
    EXPECT_EQ(
        "C:\\logs\\app.1.log C:\\logs\\app_2011.log logs/app.1 logs/app_2011 "
        "dir.d\\app.tar.1.gz dir.d\\app.tar_2011.gz ",
        names);
}

TEST(RollingFileAppender, RollsBySizeShiftingBackups) {
    struct {
        const char *size, *backups;
        const char* messages;
        const char* files;
    } cases[] = {
        // "H|" + "r1;" reaches 5. Newest backup 1; r1 went beyond backup 3.
        {"5", "3", "r1 r2 r3 r4 r5",
         "app.1.log=H|r5;F| app.2.log=H|r4;F| app.3.log=H|r3;F| app.log=H|F|"},
        // Below the limit a record stays; the one that reaches it stays in the old file.
        {"9", "2", "ab cde f", "app.1.log=H|ab;cde;F| app.log=H|f;F|"},
        {"0", "1", "a b", "app.1.log=H|b;F| app.log=H|F|"},
        {"0", "0", "a b", "app.log=H|F|"},  // no backups: the records are lost
        {"-5", "1", "a b c", "app.log=H|a;b;c;F|"},
    };
    for (const auto& test : cases) {
        Fixture f(test.size, test.backups);
        f.Session(test.messages);
        EXPECT_EQ(test.files, f.Listing()) << test.size << "/" << test.backups;
    }

    // A record the layout refuses is not written and makes no size test.
    CPatternLayout broken;
    broken.SetParam("ConversionPattern", "%q");
    Fixture refused("0", "1");
    refused.appender.Layout = &broken;
    refused.Start();
    EXPECT_FALSE(Log(refused.appender, "a"));
    EXPECT_EQ("app.log=", refused.Listing());

    // A file appended to over the limit rolls after its first record, not at the open.
    Fixture over("50", "1");
    std::ofstream(over.directory.File("app.log"), std::ios::binary) << std::string(100, 'o');
    over.Session("first");
    EXPECT_EQ("app.1.log=" + std::string(100, 'o') + "H|first;F| app.log=H|F|", over.Listing());
}

TEST(RollingFileAppender, FailedRenameKeepsEveryRecord) {
    Fixture f("0", "1");
    f.Start();
    // A non-empty directory where backup 1 must go: it can be neither deleted nor
    // replaced, so the current file cannot be renamed.
    fs::create_directory(f.directory.File("app.1.log"));
    std::ofstream(f.directory.File("app.1.log") + "/keep") << "k";
    for (const char* message : {"a", "b", "c"})
        EXPECT_TRUE(Log(f.appender, message));
    fs::remove_all(f.directory.File("app.1.log"));
    Log(f.appender, "d");  // tried again a second after the failure, not at every record
    EXPECT_EQ("app.log=H|a;b;c;d;", f.Listing());
    f.clock.Advance(1000);
    Log(f.appender, "e");
    EXPECT_EQ("app.1.log=H|a;b;c;d;e;F| app.log=H|", f.Listing());

#ifdef _WIN32
    // Another process holding the file open without sharing its deletion blocks the
    // rename; the backups move once, not at every attempt, so none is lost.
    Fixture g("0", "3");
    g.Start();
    g.LogAll("a b");
    {
        std::ifstream holder(g.directory.File("app.log"));
        ASSERT_TRUE(holder.is_open());
        g.LogAll("c d");
    }
    g.clock.Advance(1000);
    Log(g.appender, "e");
    EXPECT_EQ("app.1.log=H|c;d;e;F| app.2.log=H|b;F| app.3.log=H|a;F| app.log=H|", g.Listing());
#endif
}
