#include <gtest/gtest.h>

#include <cstdio>

#include "logging/appenders/CWin32DebugAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"

using namespace scrivlog;

TEST(Win32DebugAppender, PassesTextsUnchanged) {
    CWin32DebugAppender appender("debug", Levels::All);
    EXPECT_STREQ("Win32DebugAppender", appender.GetClassName());
    CSimpleLayout layout;
    appender.Layout = &layout;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;

#ifdef _WIN32
    // The debugger output cannot be read back here; it must take any text.
    EXPECT_TRUE(appender.Start(error));
    EXPECT_TRUE(appender.DoAppend(CLoggingEvent()));
    logger.LogError("%s", std::string(5000, 'd').c_str());
    EXPECT_TRUE(appender.Stop(error));
#else
    testing::internal::CaptureStderr();
    logger.LogError("before start");
    EXPECT_TRUE(appender.Start(error));
    logger.LogError("100%% %s", "%d");
    logger.Log(Levels::Raw, "raw, no line end");
    EXPECT_TRUE(appender.Stop(error));
    std::fflush(stderr);
    EXPECT_EQ("ERROR - 100% %d\r\nraw, no line end", testing::internal::GetCapturedStderr());
#endif
}
