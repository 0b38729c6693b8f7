// Path texts and menu captions at their limits, and file-time arithmetic.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/shell/FileTimeConversion.h"
#include "shellext/PathText.h"

namespace shellexttest {
namespace {

using tamarack::CaptionBufferSize;
using tamarack::FormatCaption;

TEST(PathTextTest, CaptionsAreShortenedInTheMiddleAndNeverOverrun) {
    char buffer[CaptionBufferSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    auto& caption = reinterpret_cast<char(&)[CaptionBufferSize]>(buffer);
    for (size_t length : {0u, 1u, 100u, 251u, 252u, 253u, 259u, 600u}) {
        std::string path = "C:" + std::string(length > 2 ? length - 2 : 0, 'p');
        if (length > 10)
            path.replace(path.size() - 5, 5, "E.txt");
        FormatCaption(caption, "Copy to Clipboard (%s)", path.c_str());
        std::string text = caption;
        EXPECT_LE(text.size(), CaptionBufferSize - 1) << length;
        EXPECT_EQ('#', buffer[CaptionBufferSize]) << "overrun at " << length;
        EXPECT_EQ(0u, text.rfind("Copy to Clipboard (C:", 0)) << length;
        EXPECT_EQ(')', text.back());
        if (path.size() + 20 <= CaptionBufferSize - 1) {
            EXPECT_EQ("Copy to Clipboard (" + path + ")", text);
        } else {
            EXPECT_EQ(CaptionBufferSize - 1, text.size());
            EXPECT_NE(std::string::npos, text.find("..."));
            EXPECT_NE(std::string::npos, text.find("E.txt)"));
        }
    }
    FormatCaption(caption, "Shell (Current directory)", "ignored");
    EXPECT_STREQ("Shell (Current directory)", caption);
    // A text longer than the buffer without any path is still cut safely.
    std::string longFormat(400, 'f');
    FormatCaption(caption, longFormat.c_str(), "");
    EXPECT_EQ(CaptionBufferSize - 1, std::strlen(caption));
}

TEST(PathTextTest, DirectoriesNamesAndQuotes) {
    EXPECT_EQ("C:", tamarack::ContainingDirectory("C:\\file.txt"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:\\file.txt"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:\\"));
    EXPECT_EQ("\\\\server\\share", tamarack::ShellDirectoryOf("\\\\server\\share\\f"));
    EXPECT_EQ("name", tamarack::ShellDirectoryOf("name"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:"));  // a bare drive: its root
    EXPECT_EQ("", tamarack::BareName("C:\\dir\\"));
    EXPECT_EQ("plain", tamarack::BareName("plain"));
    EXPECT_EQ("\" \"", tamarack::QuoteIfSpaced(" "));
    EXPECT_EQ("", tamarack::QuoteIfSpaced(""));
}

TEST(PathTextTest, FileTimesConvertBothWaysAndRejectImpossibleDates) {
    using platform::DateTime;
    using platform::shell::FileTime;
    FileTime time = 0;
    DateTime epoch{1601, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(epoch, time));
    EXPECT_EQ(0u, time);
    DateTime unix{1970, 1, 4, 1, 0, 0, 0, 0};
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(unix, time));
    EXPECT_EQ(116444736000000000ULL, time);
    DateTime leap{2024, 2, 4, 29, 23, 59, 59, 999};
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(leap, time));
    DateTime back = platform::shell::DateTimeFromFileTime(time);
    EXPECT_EQ(2024, back.Year);
    EXPECT_EQ(2, back.Month);
    EXPECT_EQ(29, back.Day);
    EXPECT_EQ(4, back.DayOfWeek);  // a Thursday
    EXPECT_EQ(23, back.Hour);
    EXPECT_EQ(59, back.Second);
    EXPECT_EQ(999, back.Millisecond);
    for (DateTime bad :
         {DateTime{2023, 2, 0, 29, 0, 0, 0, 0}, DateTime{1900, 2, 0, 29, 0, 0, 0, 0},
          DateTime{2023, 13, 0, 1, 0, 0, 0, 0}, DateTime{2023, 1, 0, 1, 24, 0, 0, 0},
          DateTime{1600, 12, 0, 31, 0, 0, 0, 0}, DateTime{2023, 1, 0, 0, 0, 0, 0, 0}})
        EXPECT_FALSE(platform::shell::FileTimeFromDateTime(bad, time))
            << bad.Year << "-" << bad.Month;
    EXPECT_EQ(29, platform::shell::DaysInMonth(2000, 2));
    EXPECT_EQ(28, platform::shell::DaysInMonth(2100, 2));
}

}  // namespace
}  // namespace shellexttest
