#include <gtest/gtest.h>

#include <string>

#include "logging/appenders/CEditWindowAppender.h"
#include "logging/core/CLogger.h"
#include "platform/EditControl.h"

using namespace scrivlog;

namespace {

// A control of five visible lines for one test, and a logger that feeds an appender
// writing to it. On Windows the control is a real edit control, which needs a display.
class EditWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        control = platform::CreateEditControl(5);
        if (control == 0)
            GTEST_SKIP() << "no edit control can be made here (no display)";
        appender.SetParam("HWND", std::to_string(control));
        logger.AddAppender(&appender);
        std::string error;
        ASSERT_TRUE(appender.Start(error));
    }
    void TearDown() override { platform::DestroyEditControl(control); }

    std::string Text() {
        std::string text;
        platform::GetEditControlText(control, text);
        return text;
    }
    int32_t Lines() { return platform::EditControlLineCount(control); }

    platform::WindowHandle control = 0;
    CEditWindowAppender appender{"edit", Levels::All};
    CLogger logger{"x", Levels::All, true};
};

}  // namespace

TEST(EditWindowAppender, Parameters) {
    CEditWindowAppender appender("edit", Levels::All);
    EXPECT_STREQ("EditWindowAppender", appender.GetClassName());
    EXPECT_EQ("4294967295", appender.GetParam("MaxLines"));
    EXPECT_EQ("true", appender.GetParam("AutoScroll"));
    EXPECT_EQ("", appender.GetParam("HWND"));
    EXPECT_TRUE(appender.SetParam("maxlines", "100"));
    EXPECT_EQ("100", appender.GetParam("MAXLINES"));
    EXPECT_TRUE(appender.SetParam("AutoScroll", "0"));
    EXPECT_EQ("false", appender.GetParam("AutoScroll"));
    EXPECT_TRUE(appender.SetParam("hwnd", "-2"));
    EXPECT_EQ(-2, appender.HWND);  // widened with its sign
    EXPECT_TRUE(appender.SetParam("HWND", "4294967296"));
    EXPECT_EQ(2147483647, appender.HWND);
    EXPECT_FALSE(appender.SetParam("TimeOut", "1"));

    // No window: opened all the same, and records vanish without a trace.
    std::string error;
    appender.SetParam("HWND", "0");
    EXPECT_TRUE(appender.Start(error));
    CLoggingEvent event;
    event.Message.assign("lost");
    EXPECT_TRUE(appender.DoAppend(event));
    platform::WindowHandle gone = platform::CreateEditControl(5);
    platform::DestroyEditControl(gone);
    appender.HWND = gone;
    EXPECT_TRUE(appender.DoAppend(event));
    EXPECT_TRUE(appender.Stop(error));
}

TEST_F(EditWindowTest, AppendsRecordsToAReadOnlyControl) {
    EXPECT_FALSE(platform::EditControlIsReadOnly(control));
    logger.LogError("first");
    EXPECT_TRUE(platform::EditControlIsReadOnly(control));
    // A record of two lines shows as two lines; "\r\n" becomes "\r\r\n".
    logger.LogError("two\nlines");
    logger.Log(Levels::Raw, "raw\r\nend");
    EXPECT_EQ("first\r\ntwo\r\nlines\r\nraw\r\r\nend", Text());
    EXPECT_EQ(5, Lines());

    // No limit by default: every record is kept.
    for (int i = 0; i < 200; ++i)
        logger.LogError("record %d", i);
    EXPECT_EQ(205, Lines());
    EXPECT_EQ(0u, Text().find("first\r\n"));
}

TEST_F(EditWindowTest, KeepsAtMostMaxLinesLines) {
    appender.SetParam("MaxLines", "100");
    appender.SetParam("AutoScroll", "false");
    int32_t most = 0;
    for (int i = 1; i <= 150; ++i) {
        logger.LogError("line %d", i);
        most = std::max(most, Lines());
    }
    // 99 records and the empty last line.
    EXPECT_EQ(100, most);
    EXPECT_EQ(100, Lines());
    EXPECT_EQ(0u, Text().find("line 52\r\n"));
    EXPECT_EQ(Text().size() - 10, Text().rfind("line 150\r\n"));

    // Records of several lines push out as many old lines.
    logger.LogError("a\nb\nc");
    EXPECT_EQ(100, Lines());
    EXPECT_EQ(0u, Text().find("line 55\r\n"));

    // A limit of 0 or below (other than -1) keeps everything, as -1 does.
    for (const char* unlimited : {"0", "-7"}) {
        appender.SetParam("MaxLines", unlimited);
        int32_t before = Lines();
        logger.LogError("more");
        EXPECT_EQ(before + 1, Lines()) << unlimited;
    }
    // A limit of 1 keeps the unfinished last line and the newest record.
    appender.SetParam("MaxLines", "1");
    logger.Log(Levels::Raw, "tail");
    logger.LogError("newest");
    EXPECT_EQ("tailnewest\r\n", Text());
}

TEST_F(EditWindowTest, FollowsTheLastLineWhenAutoScrolling) {
    for (int i = 0; i < 30; ++i)
        logger.LogError("scrolled %d", i);
    EXPECT_EQ(31, Lines());
    int32_t first = platform::EditControlFirstVisibleLine(control);
    EXPECT_GT(first, 20);  // the view shows the end of the log
#ifndef _WIN32
    EXPECT_EQ(31 - 5, first);  // the stand-in shows exactly five lines
#endif

    appender.SetParam("AutoScroll", "false");
    logger.LogError("stays at the top");
    EXPECT_EQ(0, platform::EditControlFirstVisibleLine(control));

    // The footer arrives in the control when the appender closes.
    std::string error;
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_EQ(Text().size() - 18, Text().rfind("stays at the top\r\n"));
}
