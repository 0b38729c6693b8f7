#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logging/appenders/CFileAppender.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "logging/layouts/CCSVLayout.h"
#include "logging/layouts/CHTMLLayout.h"
#include "platform/Files.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
using testsupport::ReadFile;
namespace fs = std::filesystem;

namespace {

// Header "H", records as "<message>;", footer "F".
class MarkerLayout : public CLayoutSkeleton {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view) override {
        text = "H|";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "F|";
        return true;
    }
    bool Format(const CLoggingEvent& event, std::string& text) override {
        text.assign(event.Message.view());
        text += ';';
        return true;
    }
};

bool Log(CAppenderSkeleton& appender, const std::string& message, Level level = Levels::Error) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = level;
    return appender.DoAppend(event);
}

void WriteFile(const std::string& name, const std::string& content) {
    std::ofstream(name, std::ios::binary) << content;
}

}  // namespace

TEST(FileAppender, TruncateAppendAndHeaderRules) {
    testsupport::TemporaryDirectory directory;
    std::string name = directory.File("app.log");
    MarkerLayout layout;
    CFileAppender appender("file", Levels::All);
    appender.Layout = &layout;
    EXPECT_TRUE(appender.SetParam("file", name));
    std::string error;

    ASSERT_TRUE(appender.Start(error)) << error;  // new file, appended: header
    EXPECT_TRUE(Log(appender, "a"));
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_FALSE(Log(appender, "lost"));
    EXPECT_EQ("H|a;F|", ReadFile(name));

    ASSERT_TRUE(appender.Start(error));  // appended again: a header at every open
    Log(appender, "b");
    appender.Stop(error);
    EXPECT_EQ("H|a;F|H|b;F|", ReadFile(name));

    appender.SetParam("HeaderOnlyOnCreation", "TRUE");
    ASSERT_TRUE(appender.Start(error));  // not empty: no header
    Log(appender, "c");
    appender.Stop(error);
    EXPECT_EQ("H|a;F|H|b;F|c;F|", ReadFile(name));

    appender.SetParam("Append", "no");
    EXPECT_EQ("false", appender.GetParam("Append"));
    EXPECT_EQ("true", appender.GetParam("HeaderOnlyOnCreation"));
    ASSERT_TRUE(appender.Start(error));  // emptied at open, so the header comes
    Log(appender, "d");
    appender.Stop(error);
    EXPECT_EQ("H|d;F|", ReadFile(name));

    // Without a layout: message and line feed; Raw: the bare message.
    appender.Layout = nullptr;
    ASSERT_TRUE(appender.Start(error));
    Log(appender, "plain");
    Log(appender, "raw", Levels::Raw);
    appender.Stop(error);
    EXPECT_EQ("plain\nraw", ReadFile(name));
}

TEST(FileAppender, OpenAndCloseFailures) {
    testsupport::TemporaryDirectory directory;
    CFileAppender appender("fa", Levels::All);
    std::string error;
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ("unable to open file, no filename specified (Appender:fa)", error);
    EXPECT_FALSE(appender.Opened);
    EXPECT_FALSE(appender.Close(error));  // nothing open

    std::string name = directory.File("x.log");
    appender.SetParam("File", name);
    ASSERT_TRUE(appender.Start(error));
    EXPECT_TRUE(Log(appender, "one"));
    error.clear();
    EXPECT_FALSE(appender.Open(error));
    EXPECT_EQ("unable to open file, a file already opened (Appender:fa)", error);
    EXPECT_TRUE(Log(appender, "two"));  // the open file is untouched
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_EQ("one\ntwo\n", ReadFile(name));
    EXPECT_EQ(name, appender.GetParam("FileNameCurrent"));
    EXPECT_EQ(name, appender.GetParam("filecurrent"));
    EXPECT_FALSE(appender.SetParam("FileNameCurrent", "y"));
    EXPECT_EQ("", appender.GetParam("Threshold"));

    // A directory in the way of the file; a file in the way of a directory.
    fs::create_directory(directory.File("dir.log"));
    appender.SetParam("File", directory.File("dir.log"));
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '" + directory.File("dir.log") + "':")) << error;
    EXPECT_NE(std::string::npos, error.find(" ["));
    WriteFile(directory.File("plain"), "x");
    std::string blocked = (directory.Path() / "plain" / "sub").string();
    appender.SetParam("File", (fs::path(blocked) / "x.log").string());
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ(0u,
              error.find("!Error: Unable to create directory '" + directory.File("plain") + "' ("))
        << error;
    EXPECT_FALSE(appender.Opened);
    EXPECT_FALSE(Log(appender, "nowhere"));
}

TEST(FileAppender, CreatesMissingDirectoryTrees) {
    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
    environment.Set("LOGROOT", directory.Path().string());
    CFileAppender appender("fa", Levels::All);
    // Backslashes separate directories on every system.
    appender.SetParam("File", "${LOGROOT}\\a\\b\\c\\x.log");
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    Log(appender, "deep");
    appender.Stop(error);
    EXPECT_TRUE(fs::is_directory(directory.Path() / "a" / "b"));
    EXPECT_EQ("deep\n", ReadFile(directory.Path() / "a" / "b" / "c" / "x.log"));
    // Existing directories, and names with a trailing separator in the walk.
    EXPECT_TRUE(CFileAppender::CreateDirectoryPath(directory.File("a"), error));
    EXPECT_TRUE(CFileAppender::CreateDirectoryPath(directory.File("n") + "\\m\\", error));
    EXPECT_TRUE(fs::is_directory(directory.Path() / "n" / "m"));
}

TEST(FileAppender, EnvironmentReferences) {
    testsupport::ScopedEnvironment environment;
    environment.Set("A", "alpha");
    environment.Set("B_2", "beta");
    environment.Unset("UNDEFINED_X");
    auto expand = [](const char* value) { return CFileAppender::ExpandEnvironmentText(value); };
    EXPECT_EQ("alpha/x.log", expand("$A/x.log"));
    EXPECT_EQ("alpha.log", expand("${A}.log"));
    EXPECT_EQ("alpha\\x.log", expand("%A%\\x.log"));
    EXPECT_EQ("beta", expand("$B_2"));  // a trailing reference
    EXPECT_EQ("abcalpha", expand("abc%A"));
    EXPECT_EQ("alpha$B_2", expand("$A$B_2"));  // the ending character is plain text
    EXPECT_EQ("100%", expand("100%%"));
    EXPECT_EQ("50%x", expand("50%%x%"));  // a lone trailing percent disappears
    EXPECT_EQ("\\x.log", expand("%UNDEFINED_X%\\x.log"));
    EXPECT_EQ("-", expand("$UNDEFINED_X-"));
    EXPECT_EQ("alpha beta", expand("${A} ${B_2}"));
    EXPECT_EQ("x", expand("x$"));
    EXPECT_EQ("", expand("%{A}%"));  // braces belong to a percent name
    EXPECT_EQ("", expand(""));

    CFileAppender appender("fa", Levels::All);
    appender.SetParam("File", "%A%-$A");
    EXPECT_EQ("alpha-alpha", appender.GetParam("File"));
}

TEST(FileAppender, DefaultNameLandsInTheTemporaryDirectory) {
    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
    environment.Set("TEMP", directory.Path().string());
    CFileAppender appender("default", Levels::All);
    appender.SetParam("File", "%TEMP%\\Tamarack.log");
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    Log(appender, "here");
    appender.Stop(error);
    EXPECT_EQ("here\n", ReadFile(directory.Path() / "Tamarack.log"));
}

TEST(FileAppender, OverlongNamesFailCleanly) {
    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
    CFileAppender appender("long", Levels::All);
    std::string error;
    std::string name = directory.File(std::string(300, 'n') + ".log");
    appender.SetParam("File", name);
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '" + name + "':")) << error;
    EXPECT_EQ(std::string::npos, error.find("Unknown error"));
    // An environment value of 260 characters or more gives such a name too.
    environment.Set("LONGDIR", directory.File(std::string(260, 'd')));
    appender.SetParam("File", "$LONGDIR\\x.log");
    EXPECT_EQ(directory.File(std::string(260, 'd')) + "\\x.log", appender.GetParam("File"));
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '")) << error;
    EXPECT_TRUE(fs::is_empty(directory.Path()));  // no directory was made on the way
}

TEST(FileAppender, RecordsAreBoundedAndWrittenAsTheyAre) {
    testsupport::TemporaryDirectory directory;
    std::string name = directory.File("big.log");
    CFileAppender appender("big", Levels::All);
    appender.SetParam("File", name);
    std::string error;
    ASSERT_TRUE(appender.Start(error));
    Log(appender, std::string(70000, 'x'));                               // cut, line feed lost
    Log(appender, std::string(CFileAppender::MaxRecordLength - 1, 'y'));  // fits with "\n"
    Log(appender, "a\r\nb\0c");
    appender.Stop(error);
    std::string content = ReadFile(name);
    ASSERT_EQ(2 * CFileAppender::MaxRecordLength + 5, content.size());
    EXPECT_EQ(std::string(CFileAppender::MaxRecordLength, 'x'),
              content.substr(0, CFileAppender::MaxRecordLength));
    EXPECT_EQ("y\na\r\nb\n", content.substr(2 * CFileAppender::MaxRecordLength - 2));
}

TEST(FileAppender, DestructionClosesWithTheRightFooter) {
    testsupport::TemporaryDirectory directory;
    testsupport::SettableClock clock;
    std::string name = directory.File("report.html");
    CHTMLLayout layout;
    {
        CRollingFileAppender appender("Report", Levels::All);
        appender.Layout = &layout;
        appender.SetParam("File", name);
        std::string error;
        ASSERT_TRUE(appender.Start(error));
        Log(appender, "row");
    }
    std::string content = ReadFile(name);
    EXPECT_NE(std::string::npos,
              content.find("</table><br>Appender RollingFileAppender:Report - Log session end"));
    EXPECT_EQ(0u, content.find("<html><head><title>HTML layout RollingFileAppender:Report"));
}

#ifndef _WIN32
TEST(FileAppender, PosixSafety) {
    testsupport::TemporaryDirectory directory;
    // A link planted where the log goes is not followed.
    std::string target = directory.File("victim");
    WriteFile(target, "precious");
    fs::create_symlink(target, directory.File("link.log"));
    CFileAppender appender("fa", Levels::All);
    appender.SetParam("File", directory.File("link.log"));
    std::string error;
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ(0u, error.find("unable to open file '")) << error;
    EXPECT_EQ("precious", ReadFile(target));

    // A failing write is counted and its reason kept; nothing crashes.
    if (fs::exists("/dev/full")) {
        appender.SetParam("File", "/dev/full");
        ASSERT_TRUE(appender.Start(error)) << error;
        EXPECT_FALSE(Log(appender, "no room"));
        EXPECT_FALSE(Log(appender, "no room"));
        EXPECT_EQ(2u, appender.WriteFailures());
        EXPECT_NE(std::string::npos, appender.LastWriteError().find("[28]"))
            << appender.LastWriteError();
        EXPECT_TRUE(appender.Stop(error));
    }
}
#endif
