#include <gtest/gtest.h>

#include "logging/layouts/CCSVLayout.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

TEST(CSVLayout, HeaderRuleAndRecords) {
    CCSVLayout layout;
    std::string text = "untouched";
    EXPECT_FALSE(layout.FormatHeader(text, "FileAppender", "csv"));  // no header set
    EXPECT_FALSE(layout.FormatFooter(text, "FileAppender", "csv"));
    EXPECT_TRUE(layout.SetParam("header", "Date;Level;Logger;Message"));
    EXPECT_TRUE(layout.SetParam("ConversionPattern", "%d;%p;%c;%m%n"));
    EXPECT_FALSE(layout.SetParam("Title", "x"));
    EXPECT_EQ("Date;Level;Logger;Message", layout.GetParam("HEADER"));
    ASSERT_TRUE(layout.FormatHeader(text, "FileAppender", "csv"));
    EXPECT_EQ("Date;Level;Logger;Message\r\n", text);
    layout.SetParam("Header", "A;B\r\n");  // still gets its own line break
    ASSERT_TRUE(layout.FormatHeader(text, "", ""));
    EXPECT_EQ("A;B\r\n\r\n", text);

    testsupport::SettableClock clock;
    CLoggingEvent event;
    event.Category = "com.brenmoor.quillhaven.Tamarack.ShellExt";
    event.Level = Levels::Debug;
    event.Message = "a;\"quoted\"\nline";  // nothing is quoted or escaped
    ASSERT_TRUE(layout.Format(event, text));
    EXPECT_EQ(
        "2011-03-14 09:26:53,589;DEBUG;com.brenmoor.quillhaven.Tamarack.ShellExt;"
        "a;\"quoted\"\nline\r\n",
        text);
}
