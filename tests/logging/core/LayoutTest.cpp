#include <gtest/gtest.h>

#include "logging/core/CBasicLayout.h"
#include "logging/core/CNullLayout.h"
#include "logging/core/CSimpleLayout.h"

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
    CLayoutSkeleton skeleton;
    CBasicLayout basic;
    CSimpleLayout simple;
    CNullLayout null;
    for (CLayoutSkeleton* layout :
         std::initializer_list<CLayoutSkeleton*>{&skeleton, &basic, &simple, &null}) {
        EXPECT_FALSE(layout->SetParam("ConversionPattern", "%m"));
        EXPECT_EQ("", layout->GetParam("ConversionPattern"));
        std::string header = "stale", footer = "stale";
        EXPECT_FALSE(layout->FormatHeader(header, "FileAppender", "f") ||
                     layout->FormatFooter(footer, "FileAppender", "f"));
        EXPECT_EQ("", header + footer) << layout->GetClassName();
    }
    EXPECT_STREQ("SkeletonLayout", skeleton.GetClassName());
}
