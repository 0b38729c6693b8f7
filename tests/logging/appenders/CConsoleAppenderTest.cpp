#include <gtest/gtest.h>

#include <cstdio>

#include "logging/appenders/CConsoleAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"
#include "tests/support/FramingLayout.h"

using namespace scrivlog;

namespace {

using testsupport::FramingLayout;

}  // namespace

TEST(ConsoleAppender, PrintsTextUnchanged) {
    CConsoleAppender appender("console", Levels::All);
    EXPECT_STREQ("ConsoleAppender", appender.GetClassName());
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;

    testing::internal::CaptureStdout();
    logger.LogError("not yet opened");
    EXPECT_TRUE(appender.Start(error));
    logger.LogError("%s", "100% %s %d");
    logger.Log(Levels::Raw, "raw");
    EXPECT_TRUE(appender.Stop(error));
    std::fflush(stdout);
    EXPECT_EQ("100% %s %d\nraw", testing::internal::GetCapturedStdout());

    FramingLayout layout;
    appender.Layout = &layout;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(appender.Start(error));
    logger.LogError("framed");
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_TRUE(appender.Stop(error));  // stopped already: no second footer
    std::fflush(stdout);
    EXPECT_EQ("<begin>\nERROR - framed\r\n<end>\n", testing::internal::GetCapturedStdout());
}
