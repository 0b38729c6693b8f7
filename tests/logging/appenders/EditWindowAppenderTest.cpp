#include <gtest/gtest.h>

#include <string>

#include "logging/appenders/CEditWindowAppender.h"
#include "logging/core/CLogger.h"
#include "platform/EditControl.h"

using namespace scrivlog;

// On Windows the control is a real edit control, which needs a display.
TEST(EditWindowAppender, KeepsTheControlReadOnlyTrimmedAndScrolled) {
    platform::WindowHandle control = platform::CreateEditControl(5);  // five visible lines
    if (control == 0)
        GTEST_SKIP() << "no edit control can be made here (no display)";
    CEditWindowAppender appender("edit", Levels::All);
    EXPECT_EQ("4294967295", appender.GetParam("MaxLines"));  // no limit, shown unsigned
    EXPECT_TRUE(appender.SetParam("hwnd", "-2"));
    EXPECT_EQ(-2, appender.HWND);  // widened with its sign
    appender.SetParam("HWND", std::to_string(control));
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;
    ASSERT_TRUE(appender.Start(error));
    auto text = [control] {
        std::string text;
        platform::GetEditControlText(control, text);
        return text;
    };

    EXPECT_FALSE(platform::EditControlIsReadOnly(control));
    logger.LogError("first");
    EXPECT_TRUE(platform::EditControlIsReadOnly(control));
    // A record of two lines shows as two lines; "\r\n" becomes "\r\r\n".
    logger.LogError("two\nlines");
    logger.Log(Levels::Raw, "raw\r\nend");
    EXPECT_EQ("first\r\ntwo\r\nlines\r\nraw\r\r\nend", text());

    // The view follows the last line unless AutoScroll is off.
    for (int i = 0; i < 26; ++i)
        logger.LogError("scrolled %d", i);
    EXPECT_EQ(31, platform::EditControlLineCount(control));
    EXPECT_GT(platform::EditControlFirstVisibleLine(control), 20);
    appender.SetParam("AutoScroll", "false");
    logger.LogError("stays at the top");
    EXPECT_EQ(0, platform::EditControlFirstVisibleLine(control));

    platform::SetEditControlText(control, "");
    appender.SetParam("MaxLines", "100");
    for (int i = 1; i <= 150; ++i)
        logger.LogError("line %d", i);
    // The newest 99 records and the empty last line.
    EXPECT_EQ(100, platform::EditControlLineCount(control));
    EXPECT_EQ(0u, text().find("line 52\r\n"));
    // Records of several lines push out as many old lines.
    logger.LogError("a\nb\nc");
    EXPECT_EQ(100, platform::EditControlLineCount(control));
    EXPECT_EQ(0u, text().find("line 55\r\n"));

    // A limit of 0 or below (other than -1) keeps everything, as -1 does.
    for (const char* unlimited : {"-1", "0", "-7"}) {
        appender.SetParam("MaxLines", unlimited);
        int32_t before = platform::EditControlLineCount(control);
        logger.LogError("more");
        EXPECT_EQ(before + 1, platform::EditControlLineCount(control)) << unlimited;
    }
    // A limit of 1 keeps the unfinished last line and the newest record.
    appender.SetParam("MaxLines", "1");
    logger.Log(Levels::Raw, "tail");
    logger.LogError("newest");
    EXPECT_EQ("tailnewest\r\n", text());

    // No window, or one that is gone: records vanish without a trace.
    platform::DestroyEditControl(control);
    CLoggingEvent event;
    event.Message.assign("lost");
    EXPECT_TRUE(appender.DoAppend(event));
    appender.HWND = 0;
    EXPECT_TRUE(appender.DoAppend(event));
}
