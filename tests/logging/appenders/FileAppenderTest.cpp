#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#undef GetClassName
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"
#include "tests/support/ScopedEnvironment.h"

using namespace scrivlog;
using filetests::Log;
namespace fs = std::filesystem;
using Fixture = filetests::FileFixture;

TEST(FileAppender, TruncateAppendAndHeaderRules) {
    Fixture f;
    f.Session("a");  // appended (the default): a header at every open
    f.Session("b");
    EXPECT_FALSE(Log(f.appender, "lost"));
    EXPECT_EQ("H|a;F|H|b;F|", f.Read("app.log"));
    f.appender.SetParam("HeaderOnlyOnCreation", "TRUE");
    f.Session("c");  // not empty: no header
    EXPECT_EQ("H|a;F|H|b;F|c;F|", f.Read("app.log"));
    f.appender.SetParam("Append", "no");
    f.Session("d");  // emptied at open, so the header comes
    EXPECT_EQ("H|d;F|", f.Read("app.log"));

    // Without a layout: message and line feed; Raw: the bare message. A record is cut to
    // its first MaxRecordLength characters, line feed included, and written as it is.
    constexpr size_t Max = CFileAppender::MaxRecordLength;
    f.appender.Layout = nullptr;
    f.Start();
    Log(f.appender, std::string(70000, 'x'));
    Log(f.appender, std::string(Max - 1, 'y'));  // fits with "\n"
    Log(f.appender, "a\r\nb");
    Log(f.appender, "raw", Levels::Raw);
    f.Stop();
    EXPECT_EQ(std::string(Max, 'x') + std::string(Max - 1, 'y') + "\na\r\nb\nraw",
              f.Read("app.log"));
}

TEST(FileAppender, NamesAndOpenFailures) {
    Fixture f;
    testsupport::ScopedEnvironment environment;
    f.appender.Layout = nullptr;
    f.appender.SetParam("File", "");
    std::string error;
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ("unable to open file, no filename specified (Appender:app)", error);

    // Names too long for the file services, one character longer than one that just fits
    // (259 characters) or from an environment value of 260 characters or more, fail with the
    // system's reason and make no directory.
    std::string fits =
        f.directory.File(std::string(255 - f.directory.File("").size(), 'n')) + ".log";
    environment.Set("LONGDIR", f.directory.File(std::string(260, 'd')));
    for (std::string tooLong : {fits + "x", std::string("$LONGDIR\\x.log")}) {
        f.appender.SetParam("File", tooLong);
        f.directory.Track(f.appender.File);
        EXPECT_FALSE(f.appender.Start(error));
        EXPECT_EQ(0u, error.find("unable to open file '" + f.appender.GetParam("File") + "':"))
            << error;
        EXPECT_EQ(std::string::npos, error.find("Unknown error"));
        EXPECT_NE(std::string::npos, error.find(" [")) << error;
    }
    EXPECT_EQ(f.directory.File(std::string(260, 'd')) + "\\x.log", f.appender.GetParam("File"));
    // A File that just fits, whose backup or dated names would not: the same failure, which
    // names the name that is too long.
    f.directory.Track(fits);
    for (const char* name : {filetests::Classes[1], filetests::Classes[2], filetests::Classes[3]}) {
        auto appender = filetests::Make(name);
        appender->SetParam("File", fits);
        EXPECT_FALSE(appender->Start(error));
        EXPECT_EQ(0u, error.find("unable to open file '" + fits.substr(0, fits.size() - 4) + "."))
            << name << ": " << error;
    }
    EXPECT_TRUE(fs::is_empty(f.directory.Path()));

    // A file in the way of a directory.
    std::ofstream(f.directory.File("plain")) << "x";
    f.appender.SetParam("File", f.directory.File("plain") + "/sub/x.log");
    f.directory.Track(f.appender.File);
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ(
        0u, error.find("!Error: Unable to create directory '" + f.directory.File("plain") + "' ("))
        << error;

    // Names with environment references, in directories that are made. A second open fails
    // and leaves the open file untouched.
    environment.Set("TEMP", f.directory.Path().string());
    // The compiled-in default name; backslashes separate directories on every system.
    for (const char* name : {"%TEMP%\\Tamarack.log", "${TEMP}\\a\\b\\c\\x.log"}) {
        f.appender.SetParam("File", name);
        ASSERT_TRUE(f.Start());
        EXPECT_FALSE(f.appender.Open(error));
        EXPECT_EQ("unable to open file, a file already opened (Appender:app)", error);
        EXPECT_TRUE(Log(f.appender, "here"));
        f.Stop();
    }
    EXPECT_EQ("here\n", f.Read("Tamarack.log"));
    EXPECT_EQ("here\n", testsupport::ReadFile(f.directory.Path() / "a" / "b" / "c" / "x.log"));

    environment.Set("A", "alpha");
    environment.Set("B_2", "beta");
    environment.Unset("UNDEFINED_X");
    // "$A$B_2": the ending character is plain text; "50%%x%": a lone trailing percent
    // disappears; "%{A}%": "{A}" is a whole percent name.
    std::string expanded;
    for (const char* text : {"$A/x.log", "${A}.log", "%A%\\x", "$B_2", "abc%A", "$A$B_2", "100%%",
                             "50%%x%", "%UNDEFINED_X%\\x", "$UNDEFINED_X-", "x$", "%{A}%"})
        expanded += CFileAppender::ExpandEnvironmentText(text) + "|";
    EXPECT_EQ("alpha/x.log|alpha.log|alpha\\x|beta|abcalpha|alpha$B_2|100%|50%x|\\x|-|x||",
              expanded);
}

// A log deleted by a cleaner, its directory removed, or the file emptied from outside:
// from the first record a second later, records are written to the name again.
TEST(FileAppender, SurvivesWhatHappensToItsFile) {
    enum Event { FileDeleted, DirectoryDeleted, Truncated };
    for (const char* name : filetests::Classes) {
        for (Event event : {FileDeleted, DirectoryDeleted, Truncated}) {
#ifdef _WIN32
            // Wine keeps a deleted file's name, unmarked, until its last handle is closed.
            if (event != Truncated &&
                GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
                continue;
#endif
            Fixture f(name);
            f.clock.SetLocalTime(2011, 5, 4, 12, 0, 0);  // no change of day in between
            std::string sub = f.directory.File("sub");
            f.appender.SetParam("File", sub + "/app.log");
            f.Start();
            Log(f.appender, "a");
            std::string current = f.appender.GetParam("FileNameCurrent");
            std::error_code ignored;
            if (event == FileDeleted)
                fs::remove(current, ignored);
            else if (event == DirectoryDeleted)
                fs::remove_all(sub, ignored);
            else
                fs::resize_file(current, 0);
            f.clock.Advance(1000);
            EXPECT_TRUE(Log(f.appender, "b"));
            // A new file gets a header; an emptied one is written on with no gap.
            EXPECT_EQ(event == Truncated ? "b;" : "H|b;", testsupport::ReadFile(current))
                << name << " " << event;
        }
    }
}

// Each class closes a file still open at its destruction with its own name in the footer.
TEST(FileAppender, DestructionClosesWithTheRightFooter) {
    testsupport::TemporaryDirectory directory;
    testsupport::SettableClock clock;
    CHTMLLayout layout;
    for (const char* name : filetests::Classes) {
        std::string error;
        auto appender = filetests::Make(name);
        appender->Layout = &layout;
        appender->SetParam("File", directory.File(std::string(name) + ".html"));
        ASSERT_TRUE(appender->Start(error)) << error;
        std::string file = appender->GetParam("FileNameCurrent");
        appender.reset();
        EXPECT_NE(std::string::npos,
                  testsupport::ReadFile(file).find("</table><br>Appender " + std::string(name) +
                                                   ":app - Log session end"))
            << name;
    }
}

#ifndef _WIN32
TEST(FileAppender, PosixSafetyAndFullDisks) {
    Fixture f;
    // A link planted where the log goes is not followed.
    std::ofstream(f.directory.File("victim")) << "precious";
    fs::create_symlink(f.directory.File("victim"), f.directory.File("link.log"));
    f.appender.SetParam("File", f.directory.File("link.log"));
    std::string error;
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '")) << error;
    EXPECT_EQ("precious", f.Read("victim"));

    // A full disk (a small file system, when running as root): what got out stays, the
    // record cut by the full disk is ended, and the next one starts on a line of its own.
    // Each failed write is counted, and its reason kept.
    std::string disk = f.directory.File("disk");
    fs::create_directory(disk);
    if (geteuid() != 0 ||
        std::system(("mount -t tmpfs -o size=64k tmpfs '" + disk + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    std::ofstream(disk + "/filler", std::ios::binary) << std::string(60000, 'f');
    f.appender.Layout = nullptr;
    f.appender.SetParam("File", disk + "/app.log");
    ASSERT_TRUE(f.Start());
    std::string record(999, 'r'), expected;
    while (Log(f.appender, record))
        expected += record + "\n";
    EXPECT_FALSE(Log(f.appender, record));
    EXPECT_EQ(2u, f.appender.WriteFailures());
    EXPECT_NE(std::string::npos, f.appender.LastWriteError().find("[28]"));
    fs::remove(disk + "/filler");
    EXPECT_TRUE(Log(f.appender, "after"));
    f.Stop();
    std::string content = testsupport::ReadFile(disk + "/app.log");
    std::system(("umount '" + disk + "'").c_str());
    ASSERT_GT(content.size(), expected.size() + 7);
    size_t cut = content.size() - expected.size() - 8;
    EXPECT_EQ(expected + std::string(cut, 'r') + "\r\nafter\n", content);
}
#endif
