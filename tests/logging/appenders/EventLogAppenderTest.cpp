#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging/appenders/CEventLogAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/SystemUtilities.h"
#include "platform/SystemErrors.h"
#include "tests/support/FramingLayout.h"

using namespace scrivlog;
using platform::SystemLogType;
using Texts = std::vector<std::string>;

namespace {

// Keeps what would have gone to the system's log, while it lives: each call as one text,
// "register NAME", "deregister" or "TYPE CATEGORY EVENTID TEXT".
class RecordingSystemLog : public platform::SystemLogService {
  public:
    RecordingSystemLog() { platform::SetSystemLogService(this); }
    ~RecordingSystemLog() override { platform::SetSystemLogService(nullptr); }

    platform::SystemLogSource Register(const std::string& name) override {
        calls.push_back("register " + name);
        platform::SetLastSystemErrorCode(5);
        return fail ? nullptr : &calls;
    }
    bool Deregister(platform::SystemLogSource) override {
        calls.push_back("deregister");
        platform::SetLastSystemErrorCode(5);
        return !fail;
    }
    bool Report(platform::SystemLogSource source, SystemLogType type, uint16_t category,
                uint32_t eventId, std::string_view text) override {
        calls.push_back((source == &calls ? "" : "stray source ") +
                        std::to_string(static_cast<int>(type)) + " " + std::to_string(category) +
                        " " + std::to_string(eventId) + " " + std::string(text));
        return true;
    }

    bool fail = false;  // Register and Deregister fail, with the error code 5
    Texts calls;
};

}  // namespace

TEST(EventLogAppender, ReportsEachLevelsTypeUnderASourceNamedAfterTheAppenderAndTellsFailures) {
    RecordingSystemLog log;
    testsupport::FramingLayout layout;
    std::string error;
    {
        CEventLogAppender appender("Shell", Levels::All);
        appender.Layout = &layout;
        ASSERT_TRUE(appender.Start(error)) << error;
        EXPECT_TRUE(appender.Start(error));  // registered already: no second header
        CLogger logger("x", Levels::All, true);
        logger.AddAppender(&appender);
        for (Level level : {Levels::Error, Levels::Warn, Levels::Info})
            logger.Log(level, "m");
    }
    // Destruction closed it: footer, then deregistration. Up to Error a record is an error
    // (type 1), below Info a warning (2), the rest and header and footer information (4).
    EXPECT_EQ(
        (Texts{"register Shell", "4 100 0 <begin>\n", "1 100 0 ERROR - m\r\n",
               "2 100 0 WARN - m\r\n", "4 100 0 INFO - m\r\n", "4 100 0 <end>\n", "deregister"}),
        log.calls);

    log.calls.clear();
    CEventLogAppender appender("Denied", Levels::All);
    log.fail = true;
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ("unable to register event source:" + ErrorCodeToText(5), error);
    log.fail = false;
    ASSERT_TRUE(appender.Start(error));
    log.fail = true;
    EXPECT_FALSE(appender.Stop(error));
    EXPECT_EQ("unable to deregister event source:" + ErrorCodeToText(5), error);
    // The source was dropped all the same: no report, no second deregistration.
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    logger.LogError("lost");
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_EQ((Texts{"register Denied", "register Denied", "deregister"}), log.calls);
}
