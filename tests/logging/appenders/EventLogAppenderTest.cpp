#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "logging/appenders/CEventLogAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"
#include "logging/core/SystemUtilities.h"
#include "platform/SystemErrors.h"

using namespace scrivlog;
using platform::SystemLogType;

namespace {

struct Entry {
    std::string source;
    SystemLogType type;
    uint16_t category;
    uint32_t eventId;
    std::string text;
    bool operator==(const Entry& o) const {
        return source == o.source && type == o.type && category == o.category &&
               eventId == o.eventId && text == o.text;
    }
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
    return out << e.source << "/" << static_cast<int>(e.type) << "/" << e.category << "/"
               << e.eventId << "/" << e.text;
}

// Keeps what would have gone to the system's log, while it lives.
class RecordingSystemLog : public platform::SystemLogService {
  public:
    RecordingSystemLog() { platform::SetSystemLogService(this); }
    ~RecordingSystemLog() override { platform::SetSystemLogService(nullptr); }

    platform::SystemLogSource Register(const std::string& name) override {
        if (failRegister) {
            platform::SetLastSystemErrorCode(failureCode);
            return nullptr;
        }
        sources.push_back(std::make_unique<std::string>(name));
        registered.push_back(name);
        return sources.back().get();
    }
    bool Deregister(platform::SystemLogSource source) override {
        deregistered.push_back(*static_cast<std::string*>(source));
        if (failDeregister)
            platform::SetLastSystemErrorCode(failureCode);
        return !failDeregister;
    }
    bool Report(platform::SystemLogSource source, SystemLogType type, uint16_t category,
                uint32_t eventId, std::string_view text) override {
        entries.push_back(
            {*static_cast<std::string*>(source), type, category, eventId, std::string(text)});
        return true;
    }

    bool failRegister = false;
    bool failDeregister = false;
    uint32_t failureCode = 5;
    std::vector<std::unique_ptr<std::string>> sources;
    std::vector<std::string> registered, deregistered;
    std::vector<Entry> entries;
};

class FramingLayout : public CSimpleLayout {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view name) override {
        text = "<begin " + std::string(name) + ">";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "<end>";
        return true;
    }
};

}  // namespace

TEST(EventLogAppender, ReportsRecordsUnderASourceNamedAfterTheAppender) {
    RecordingSystemLog log;
    FramingLayout layout;
    std::string error;
    {
        CEventLogAppender appender("Shell", Levels::All);
        EXPECT_STREQ("EventLogAppender", appender.GetClassName());
        EXPECT_TRUE(appender.Close(error));  // never opened: nothing to report
        EXPECT_TRUE(log.deregistered.empty());

        appender.Layout = &layout;
        ASSERT_TRUE(appender.Start(error)) << error;
        EXPECT_TRUE(appender.Start(error));  // registered already: nothing more
        EXPECT_EQ(std::vector<std::string>{"Shell"}, log.registered);

        CLogger logger("x", Levels::All, true);
        logger.AddAppender(&appender);
        logger.Log(Levels::Warn, "careful");
        logger.Log(Levels::Fatal, "f");
        logger.Log(Levels::Info, "i");
        logger.Log(Levels::Debug, "d");
        std::vector<Entry> expected = {
            {"Shell", SystemLogType::Information, 100, 0, "<begin Shell>"},
            {"Shell", SystemLogType::Information, 100, 0, "<begin Shell>"},
            {"Shell", SystemLogType::Warning, 100, 0, "WARN - careful\r\n"},
            {"Shell", SystemLogType::Error, 100, 0, "FATAL - f\r\n"},
            {"Shell", SystemLogType::Information, 100, 0, "INFO - i\r\n"},
            {"Shell", SystemLogType::Information, 100, 0, "DEBUG - d\r\n"},
        };
        // The second Start wrote no second header.
        expected.erase(expected.begin());
        EXPECT_EQ(expected, log.entries);
        log.entries.clear();
    }
    // Destruction closed it: footer, then deregistration.
    EXPECT_EQ((std::vector<Entry>{{"Shell", SystemLogType::Information, 100, 0, "<end>"}}),
              log.entries);
    EXPECT_EQ(std::vector<std::string>{"Shell"}, log.deregistered);
}

TEST(EventLogAppender, LevelsMapToErrorWarningAndInformation) {
    CLoggingEvent event;
    struct Case {
        Level level;
        SystemLogType type;
    } cases[] = {{Levels::Off, SystemLogType::Error},
                 {Levels::Fatal, SystemLogType::Error},
                 {Levels::Alert, SystemLogType::Error},
                 {Levels::Critical, SystemLogType::Error},
                 {Levels::Error, SystemLogType::Error},
                 {301, SystemLogType::Warning},
                 {Levels::Warn, SystemLogType::Warning},
                 {Levels::Notice, SystemLogType::Warning},
                 {599, SystemLogType::Warning},
                 {Levels::Info, SystemLogType::Information},
                 {Levels::Trace, SystemLogType::Information},
                 {Levels::All, SystemLogType::Information},
                 {Levels::Force, SystemLogType::Information},
                 {Levels::Raw, SystemLogType::Information}};
    for (const Case& c : cases) {
        event.Level = c.level;
        EXPECT_EQ(c.type, CEventLogAppender::EventType(&event)) << c.level;
    }
    EXPECT_EQ(SystemLogType::Information, CEventLogAppender::EventType(nullptr));
}

TEST(EventLogAppender, RegistrationFailuresComeBackAsErrorTexts) {
    RecordingSystemLog log;
    std::string error;
    CEventLogAppender appender("Denied", Levels::All);
    log.failRegister = true;
    EXPECT_FALSE(appender.Start(error));
    EXPECT_EQ("unable to register event source:" + ErrorCodeToText(5), error);
    EXPECT_FALSE(appender.Opened);

    log.failRegister = false;
    log.failDeregister = true;
    error.clear();
    ASSERT_TRUE(appender.Start(error));
    EXPECT_FALSE(appender.Stop(error));
    EXPECT_EQ("unable to deregister event source:" + ErrorCodeToText(5), error);
    EXPECT_TRUE(appender.Opened);  // a failing Close leaves it marked as opened
    // The source was dropped all the same: no report, no second deregistration.
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    logger.LogError("lost");
    EXPECT_TRUE(log.entries.empty());
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_EQ(1u, log.deregistered.size());
}
