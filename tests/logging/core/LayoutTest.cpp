#include <gtest/gtest.h>

#include <tuple>

#include "logging/core/CBasicLayout.h"
#include "logging/core/CNullLayout.h"
#include "logging/core/CSimpleLayout.h"

using namespace scrivlog;

TEST(Layouts, ExactBytesAndNoParametersHeaderOrFooter) {
    CLayoutSkeleton skeleton;
    CBasicLayout basic;
    CSimpleLayout simple;
    CNullLayout null;
    const std::tuple<CLayoutSkeleton*, const char*, Level, const char*> cases[] = {
        {&skeleton, "", Levels::Info, "\n"},
        {&skeleton, "50% %s", Levels::Info, "50% %s\n"},
        {&basic, "", Levels::Info, "\r\n"},
        {&basic, "a\r\nb", Levels::Info, "a\r\nb\r\n"},
        {&simple, "Disk full", Levels::Error, "ERROR - Disk full\r\n"},
        {&simple, "w", Levels::Warn, "WARN - w\r\n"},
        {&simple, "", Levels::Debug, "DEBUG - \r\n"},
        {&simple, "forced", Levels::Force, " - forced\r\n"},
        {&simple, "odd", 50, "Unconditional - odd\r\n"},
        {&null, "gone", Levels::Info, ""}};
    for (const auto& [layout, message, level, expected] : cases) {
        CLoggingEvent event;
        event.Message = message;
        event.Level = level;
        std::string text, header = "stale", footer = "stale";
        EXPECT_TRUE(layout->Format(event, text));
        EXPECT_EQ(expected, text) << layout->GetClassName();
        EXPECT_FALSE(layout->SetParam("ConversionPattern", "%m"));
        EXPECT_EQ("", layout->GetParam("ConversionPattern"));
        EXPECT_FALSE(layout->FormatHeader(header, "FileAppender", "f") ||
                     layout->FormatFooter(footer, "FileAppender", "f"));
        EXPECT_EQ("", header + footer) << layout->GetClassName();
    }
}
