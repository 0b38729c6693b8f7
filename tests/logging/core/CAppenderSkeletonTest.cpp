#include <gtest/gtest.h>

#include "logging/core/CAppenderSkeleton.h"
#include "logging/core/CBasicLayout.h"
#include "tests/support/RecordingAppender.h"

using namespace scrivlog;
using testsupport::RecordingAppender;

namespace {

CLoggingEvent MakeEvent(const char* message, Level level) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = level;
    return event;
}

// A layout with a header and a footer, and one that refuses every event.
class FramingLayout : public CLayoutSkeleton {
  public:
    bool FormatHeader(std::string& text, std::string_view className,
                      std::string_view name) override {
        text = "head:" + std::string(className) + ":" + std::string(name);
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "foot";
        return true;
    }
    bool Format(const CLoggingEvent&, std::string&) override { return false; }
};

class LayoutRequiringAppender : public RecordingAppender {
  public:
    using RecordingAppender::RecordingAppender;
    bool RequiresLayout() const override { return true; }
};

}  // namespace

TEST(AppenderSkeleton, FreshAppenders) {
    CAppenderSkeleton named("main", Levels::Error);
    EXPECT_EQ("main", named.GetName());
    EXPECT_EQ(300, named.Threshold);
    EXPECT_TRUE(named.Active);
    EXPECT_TRUE(named.AutoStart);
    EXPECT_FALSE(named.Opened);
    EXPECT_FALSE(named.OwnedByFactory);
    EXPECT_EQ(nullptr, named.Layout);
    EXPECT_STREQ("SkeletonAppender", named.GetClassName());
    EXPECT_FALSE(named.RequiresLayout());
    CLoggingEvent event;
    EXPECT_FALSE(named.DoAppend(event));
    std::string error = "untouched";
    EXPECT_TRUE(named.Start(error));
    EXPECT_EQ("untouched", error);
    EXPECT_TRUE(named.DoAppend(event));
    EXPECT_TRUE(named.IsNamed("MAIN"));

    CAppenderSkeleton unnamed;
    EXPECT_EQ("[NoAppenderName]", unnamed.GetName());
    EXPECT_EQ(900, unnamed.Threshold);
}

TEST(AppenderSkeleton, SkeletonParameters) {
    CAppenderSkeleton appender("a", Levels::Info);
    EXPECT_TRUE(appender.SetParam("threshold", "debug"));
    EXPECT_EQ(700, appender.Threshold);
    EXPECT_FALSE(appender.SetParam("Threshold", "verbose"));
    EXPECT_EQ(700, appender.Threshold);
    EXPECT_TRUE(appender.SetParam("THRESHOLD", "Off"));
    EXPECT_EQ(-2, appender.Threshold);
    EXPECT_TRUE(appender.SetParam("Active", "yes"));
    EXPECT_FALSE(appender.Active);
    EXPECT_TRUE(appender.SetParam("active", "1"));
    EXPECT_TRUE(appender.Active);
    EXPECT_TRUE(appender.SetParam("autostart", "false"));
    EXPECT_FALSE(appender.AutoStart);
    EXPECT_FALSE(appender.SetParam("Layout", "x"));
    for (const char* name : {"Threshold", "Active", "AutoStart", "Other"})
        EXPECT_EQ("", appender.GetParam(name)) << name;
}

TEST(AppenderSkeleton, FormatEventWithAndWithoutLayout) {
    RecordingAppender appender;
    std::string text = "stale";
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("plain", Levels::Info), text));
    EXPECT_EQ("plain\n", text);
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("bare", Levels::Raw), text));
    EXPECT_EQ("bare", text);

    CBasicLayout basic;
    appender.Layout = &basic;
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("laid out", Levels::Info), text));
    EXPECT_EQ("laid out\r\n", text);
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("bare", Levels::Raw), text));
    EXPECT_EQ("bare", text);
    // Force is an ordinary level for formatting.
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("forced", Levels::Force), text));
    EXPECT_EQ("forced\r\n", text);

    LayoutRequiringAppender strict;
    text = "kept";
    EXPECT_FALSE(strict.FormatEvent(MakeEvent("m", Levels::Info), text));
    EXPECT_EQ("kept", text);
    EXPECT_FALSE(strict.DoAppend(MakeEvent("m", Levels::Info)));
    EXPECT_TRUE(strict.DoAppend(MakeEvent("raw needs no layout", Levels::Raw)));
    EXPECT_EQ(std::vector<std::string>{"raw needs no layout"}, strict.Texts);
}

TEST(AppenderSkeleton, HeaderAndFooterGoThroughWriteWithoutEvent) {
    FramingLayout layout;
    RecordingAppender appender("Framed", Levels::All, false);
    std::string text;
    EXPECT_FALSE(appender.GetHeader(text));  // no layout, no header
    appender.Layout = &layout;
    std::string error;
    EXPECT_TRUE(appender.Start(error));
    EXPECT_FALSE(appender.DoAppend(MakeEvent("refused", Levels::Info)));
    EXPECT_TRUE(appender.Stop(error));
    EXPECT_FALSE(appender.Opened);
    EXPECT_EQ((std::vector<std::string>{"head:RecordingAppender:Framed", "foot"}), appender.Texts);
    EXPECT_TRUE(appender.Events.empty());
}

namespace {
class StubbornAppender : public RecordingAppender {
  public:
    using RecordingAppender::RecordingAppender;
    bool Close(std::string& error) override {
        error = "busy";
        return false;
    }
};
}  // namespace

TEST(AppenderSkeleton, StopAfterAFailedCloseKeepsWriting) {
    StubbornAppender appender;
    std::string error;
    EXPECT_FALSE(appender.Stop(error));
    EXPECT_EQ("busy", error);
    EXPECT_TRUE(appender.Opened);
    EXPECT_TRUE(appender.DoAppend(MakeEvent("still here", Levels::Info)));
    EXPECT_EQ(1u, appender.Events.size());
}

namespace {
// A sink that logs through its own appender while it writes.
class EchoingAppender : public RecordingAppender {
  public:
    void Write(std::string_view text, const CLoggingEvent* event) override {
        if (event && event->Message == "outer")
            DoAppend(MakeEvent("inner", Levels::Info));
        RecordingAppender::Write(text, event);
    }
};
}  // namespace

TEST(AppenderSkeleton, ReentrantWriteKeepsBothTexts) {
    EchoingAppender appender;
    EXPECT_TRUE(appender.DoAppend(MakeEvent("outer", Levels::Info)));
    EXPECT_EQ((std::vector<std::string>{"inner\n", "outer\n"}), appender.Texts);
}
