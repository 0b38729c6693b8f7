#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logging/appenders/CFileAppender.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"
#include "tests/support/ScopedEnvironment.h"

using namespace scrivlog;
using filetests::Log;
namespace fs = std::filesystem;

using Fixture = filetests::FileFixture<CFileAppender>;

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

    // Without a layout: message and line feed; Raw: the bare message.
    f.appender.Layout = nullptr;
    f.Start();
    Log(f.appender, "plain");
    Log(f.appender, "raw", Levels::Raw);
    f.Stop();
    EXPECT_EQ("plain\nraw", f.Read("app.log"));
}

TEST(FileAppender, OpenAndCloseFailures) {
    Fixture f;
    testsupport::ScopedEnvironment environment;
    f.appender.Layout = nullptr;
    f.appender.SetParam("File", "");
    std::string error;
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ("unable to open file, no filename specified (Appender:app)", error);

    // Names too long for the file services, also from an environment value of 260
    // characters or more, fail with the system's reason and make no directory.
    environment.Set("LONGDIR", f.directory.File(std::string(260, 'd')));
    for (std::string tooLong :
         {f.directory.File(std::string(300, 'n')), std::string("$LONGDIR\\x.log")}) {
        f.appender.SetParam("File", tooLong);
        EXPECT_FALSE(f.appender.Start(error));
        EXPECT_EQ(0u, error.find("unable to open file '" + f.appender.GetParam("File") + "':"))
            << error;
        EXPECT_EQ(std::string::npos, error.find("Unknown error"));
        EXPECT_NE(std::string::npos, error.find(" [")) << error;
    }
    EXPECT_EQ(f.directory.File(std::string(260, 'd')) + "\\x.log", f.appender.GetParam("File"));
    EXPECT_TRUE(fs::is_empty(f.directory.Path()));

    f.appender.SetParam("File", f.directory.File("x.log"));
    ASSERT_TRUE(f.Start());
    EXPECT_FALSE(f.appender.Open(error));
    EXPECT_EQ("unable to open file, a file already opened (Appender:app)", error);
    EXPECT_TRUE(Log(f.appender, "kept"));  // the open file is untouched
    f.Stop();
    EXPECT_EQ("kept\n", f.Read("x.log"));

    // A file in the way of a directory.
    std::ofstream(f.directory.File("plain")) << "x";
    f.appender.SetParam("File", f.directory.File("plain") + "/sub/x.log");
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ(
        0u, error.find("!Error: Unable to create directory '" + f.directory.File("plain") + "' ("))
        << error;
    EXPECT_FALSE(Log(f.appender, "nowhere"));
}

TEST(FileAppender, NamesWithEnvironmentAndMissingDirectories) {
    Fixture f;
    f.appender.Layout = nullptr;
    testsupport::ScopedEnvironment environment;
    environment.Set("TEMP", f.directory.Path().string());
    // The compiled-in default name; backslashes separate directories on every system.
    for (const char* name : {"%TEMP%\\Tamarack.log", "${TEMP}\\a\\b\\c\\x.log"}) {
        f.appender.SetParam("File", name);
        f.Session("here");
    }
    EXPECT_EQ("here\n", f.Read("Tamarack.log"));
    EXPECT_EQ("here\n", testsupport::ReadFile(f.directory.Path() / "a" / "b" / "c" / "x.log"));
    std::string error;
    EXPECT_TRUE(CFileAppender::CreateDirectoryPath(f.directory.File("a"), error));  // exists
    EXPECT_TRUE(CFileAppender::CreateDirectoryPath(f.directory.File("n") + "\\m\\", error));
    EXPECT_TRUE(fs::is_directory(f.directory.Path() / "n" / "m"));

    environment.Set("A", "alpha");
    environment.Set("B_2", "beta");
    environment.Unset("UNDEFINED_X");
    const char* cases[][2] = {
        {"$A/x.log", "alpha/x.log"},
        {"${A}.log", "alpha.log"},
        {"%A%\\x", "alpha\\x"},
        {"$B_2", "beta"},  // a trailing reference
        {"abc%A", "abcalpha"},
        {"$A$B_2", "alpha$B_2"},  // the ending character is plain text
        {"100%%", "100%"},
        {"50%%x%", "50%x"},  // a lone trailing percent disappears
        {"%UNDEFINED_X%\\x", "\\x"},
        {"$UNDEFINED_X-", "-"},
        {"x$", "x"},
        {"%{A}%", ""},  // "{A}" is a whole percent name
    };
    for (const auto& entry : cases)
        EXPECT_EQ(entry[1], CFileAppender::ExpandEnvironmentText(entry[0])) << entry[0];
    f.appender.SetParam("File", "%A%-$A");
    EXPECT_EQ("alpha-alpha", f.appender.GetParam("File"));
}

TEST(FileAppender, RecordsAreBoundedAndWrittenAsTheyAre) {
    Fixture f;
    f.appender.Layout = nullptr;
    constexpr size_t Max = CFileAppender::MaxRecordLength;
    f.Start();
    Log(f.appender, std::string(70000, 'x'));    // cut, line feed lost
    Log(f.appender, std::string(Max - 1, 'y'));  // fits with "\n"
    Log(f.appender, "a\r\nb\0c");
    f.Stop();
    std::string content = f.Read("app.log");
    ASSERT_EQ(2 * Max + 5, content.size());
    EXPECT_EQ(std::string(Max, 'x'), content.substr(0, Max));
    EXPECT_EQ("y\na\r\nb\n", content.substr(2 * Max - 2));
}

TEST(FileAppender, DestructionClosesWithTheRightFooter) {
    testsupport::TemporaryDirectory directory;
    testsupport::SettableClock clock;
    CHTMLLayout layout;
    {
        CRollingFileAppender appender("Report", Levels::All);
        appender.Layout = &layout;
        appender.SetParam("File", directory.File("report.html"));
        std::string error;
        ASSERT_TRUE(appender.Start(error));
        Log(appender, "row");
    }
    std::string content = testsupport::ReadFile(directory.File("report.html"));
    EXPECT_EQ(0u, content.find("<html><head><title>HTML layout RollingFileAppender:Report"));
    EXPECT_NE(std::string::npos,
              content.find("</table><br>Appender RollingFileAppender:Report - Log session end"));
}

#ifndef _WIN32
TEST(FileAppender, PosixSafety) {
    Fixture f;
    // A link planted where the log goes is not followed.
    std::ofstream(f.directory.File("victim")) << "precious";
    fs::create_symlink(f.directory.File("victim"), f.directory.File("link.log"));
    f.appender.SetParam("File", f.directory.File("link.log"));
    std::string error;
    EXPECT_FALSE(f.appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '")) << error;
    EXPECT_EQ("precious", f.Read("victim"));

    // A failing write is counted and its reason kept; nothing crashes.
    if (fs::exists("/dev/full")) {
        f.appender.Layout = nullptr;
        f.appender.SetParam("File", "/dev/full");
        ASSERT_TRUE(f.Start());
        EXPECT_FALSE(Log(f.appender, "no room"));
        EXPECT_FALSE(Log(f.appender, "no room"));
        EXPECT_EQ(2u, f.appender.WriteFailures());
        EXPECT_NE(std::string::npos, f.appender.LastWriteError().find("[28]"));
    }
}
#endif
