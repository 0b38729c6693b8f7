#include <gtest/gtest.h>

#include <memory>

#include "logging/core/CBasicLayout.h"
#include "logging/core/CNullLayout.h"
#include "logging/core/CSimpleLayout.h"
#include "tests/support/RecordingAppender.h"

using namespace scrivlog;

namespace {

std::string Format(CLayoutSkeleton& layout, const char* message, Level level) {
    CLoggingEvent event;
    event.Message = message;
    event.Level = level;
    std::string text;
    EXPECT_TRUE(layout.Format(event, text));
    return text;
}

}  // namespace

TEST(Layouts, ExactBytes) {
    CLayoutSkeleton skeleton;
    CBasicLayout basic;
    CSimpleLayout simple;
    CNullLayout null;
    EXPECT_EQ("\n", Format(skeleton, "", Levels::Info));
    EXPECT_EQ("50% %s\n", Format(skeleton, "50% %s", Levels::Info));
    EXPECT_EQ("\r\n", Format(basic, "", Levels::Info));
    EXPECT_EQ("a\r\nb\r\n", Format(basic, "a\r\nb", Levels::Info));
    EXPECT_EQ("ERROR - Disk full\r\n", Format(simple, "Disk full", Levels::Error));
    EXPECT_EQ("WARN - w\r\n", Format(simple, "w", Levels::Warn));
    EXPECT_EQ("DEBUG - \r\n", Format(simple, "", Levels::Debug));
    EXPECT_EQ(" - forced\r\n", Format(simple, "forced", Levels::Force));
    EXPECT_EQ("Unconditional - odd\r\n", Format(simple, "odd", 50));
    EXPECT_EQ("", Format(null, "gone", Levels::Info));
}

TEST(Layouts, NoParametersNoHeaderNoFooter) {
    std::unique_ptr<CLayoutSkeleton> layouts[] = {
        std::make_unique<CLayoutSkeleton>(), std::make_unique<CBasicLayout>(),
        std::make_unique<CSimpleLayout>(), std::make_unique<CNullLayout>()};
    const char* names[] = {"SkeletonLayout", "BasicLayout", "SimpleLayout", "NullLayout"};
    for (int i = 0; i < 4; ++i) {
        CLayoutSkeleton& layout = *layouts[i];
        EXPECT_STREQ(names[i], layout.GetClassName());
        EXPECT_FALSE(layout.SetParam("ConversionPattern", "%m"));
        EXPECT_EQ("", layout.GetParam("ConversionPattern"));
        std::string text = "stale";
        EXPECT_FALSE(layout.FormatHeader(text, "FileAppender", "f"));
        EXPECT_EQ("", text);
        text = "stale";
        EXPECT_FALSE(layout.FormatFooter(text, "FileAppender", "f"));
        EXPECT_EQ("", text);
    }
}

TEST(Layouts, NullLayoutAppenderWritesOneEmptyTextPerEvent) {
    CNullLayout null;
    testsupport::RecordingAppender appender("n", Levels::All, false);
    appender.Layout = &null;
    std::string error;
    appender.Start(error);
    CLoggingEvent event;
    EXPECT_TRUE(appender.DoAppend(event));
    EXPECT_TRUE(appender.DoAppend(event));
    appender.Stop(error);
    EXPECT_EQ((std::vector<std::string>{"", ""}), appender.Texts);
}
