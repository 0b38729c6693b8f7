#include <gtest/gtest.h>

#include <cstdio>

#include "logging/appenders/CWin32DebugAppender.h"
#include "logging/core/CLogger.h"

using namespace scrivlog;

TEST(Win32DebugAppender, PassesTextsUnchanged) {
    CWin32DebugAppender appender("debug", Levels::All);
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;
#ifndef _WIN32
    testing::internal::CaptureStderr();
#endif
    logger.LogError("before start");
    EXPECT_TRUE(appender.Start(error));
    logger.LogError("100%% %s", "%d");
    logger.Log(Levels::Raw, "raw, no line end");
    logger.LogError("%s", std::string(5000, 'd').c_str());  // longer than any stack buffer
    EXPECT_TRUE(appender.Stop(error));
#ifndef _WIN32
    // The debugger output of Windows cannot be read back here.
    std::fflush(stderr);
    EXPECT_EQ("100% %d\nraw, no line end" + std::string(5000, 'd') + "\n",
              testing::internal::GetCapturedStderr());
#endif
}
