#include <gtest/gtest.h>

#include "logging/core/CBasicLayout.h"
#include "logging/core/CNullLayout.h"
#include "tests/support/FramingLayout.h"
#include "tests/support/RecordingAppender.h"

using namespace scrivlog;
using testsupport::RecordingAppender;
using Texts = std::vector<std::string>;

namespace {

CLoggingEvent MakeEvent(const char* message, Level level = Levels::Info) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = level;
    return event;
}

}  // namespace

TEST(AppenderSkeleton, TakesEventsOnlyWhenOpenedAndItsParameters) {
    CAppenderSkeleton appender("main", Levels::Info);
    EXPECT_FALSE(appender.DoAppend(MakeEvent("m")));
    std::string error;
    EXPECT_TRUE(appender.Start(error) && appender.DoAppend(MakeEvent("m")));
    EXPECT_TRUE(appender.IsNamed("MAIN"));
    EXPECT_TRUE(appender.SetParam("threshold", "debug"));
    EXPECT_FALSE(appender.SetParam("Threshold", "verbose"));  // not a level: kept
    EXPECT_EQ(700, appender.Threshold);
    EXPECT_TRUE(appender.SetParam("THRESHOLD", "Off") && appender.Threshold == -2);
    EXPECT_TRUE(appender.SetParam("Active", "false") && !appender.Active);
    EXPECT_TRUE(appender.SetParam("active", "1") && appender.Active);
    EXPECT_TRUE(appender.SetParam("autostart", "false") && !appender.AutoStart);
    EXPECT_FALSE(appender.SetParam("Layout", "x"));
    EXPECT_EQ("", appender.GetParam("Threshold"));
}

TEST(AppenderSkeleton, FormatEventWithAndWithoutLayoutAndWhileWriting) {
    // A sink that logs through its own appender while it writes.
    struct EchoingAppender : RecordingAppender {
        void Write(std::string_view text, const CLoggingEvent* event) override {
            if (event && event->Message == "outer")
                DoAppend(MakeEvent("inner"));
            RecordingAppender::Write(text, event);
        }
    } appender;
    EXPECT_TRUE(appender.DoAppend(MakeEvent("outer")));
    EXPECT_EQ((Texts{"inner\n", "outer\n"}), appender.Texts);
    std::string text;
    CBasicLayout basic;
    appender.Layout = &basic;
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("forced", Levels::Force), text));
    EXPECT_EQ("forced\r\n", text);
    EXPECT_TRUE(appender.FormatEvent(MakeEvent("bare", Levels::Raw), text));
    EXPECT_EQ("bare", text);  // Raw: the message alone, layout or not
    CNullLayout null;         // an empty text is still written, once per event
    appender.Layout = &null;
    appender.Texts.clear();
    EXPECT_TRUE(appender.DoAppend(MakeEvent("gone")));
    EXPECT_EQ(Texts{""}, appender.Texts);

    struct StrictAppender : RecordingAppender {
        bool RequiresLayout() const override { return true; }
    } strict;
    text = "kept";
    EXPECT_FALSE(strict.FormatEvent(MakeEvent("m"), text) || strict.DoAppend(MakeEvent("m")));
    EXPECT_EQ("kept", text);
    EXPECT_TRUE(strict.DoAppend(MakeEvent("raw needs no layout", Levels::Raw)));
    EXPECT_EQ(Texts{"raw needs no layout"}, strict.Texts);
}

TEST(AppenderSkeleton, HeaderFooterAndAFailedClose) {
    struct RefusingLayout : testsupport::FramingLayout {
        bool Format(const CLoggingEvent&, std::string&) override { return false; }
    } layout;
    RecordingAppender appender("Framed", Levels::All, false), failed("Failed", Levels::All, false);
    appender.Layout = failed.Layout = &layout;
    std::string error;
    EXPECT_TRUE(appender.Start(error));
    EXPECT_FALSE(appender.DoAppend(MakeEvent("refused")));
    EXPECT_TRUE(appender.Stop(error) && appender.Stop(error));  // no second footer
    EXPECT_EQ((Texts{"<begin>\n", "<end>\n"}), appender.Texts);
    EXPECT_TRUE(appender.Events.empty());

    // One that never opened writes no footer either, however often it is stopped.
    failed.OpenError = "no sink";
    EXPECT_FALSE(failed.Start(error));
    EXPECT_TRUE(failed.Stop(error) && failed.Stop(error));
    EXPECT_EQ(0, failed.Closes);
    EXPECT_EQ(Texts{}, failed.Texts);

    appender.Layout = nullptr;
    appender.Start(error);
    appender.CloseError = "busy";
    EXPECT_FALSE(appender.Stop(error));
    EXPECT_EQ("busy", error);
    EXPECT_TRUE(appender.Opened && appender.DoAppend(MakeEvent("still here")));  // still open
}
