// Path texts and menu captions at their limits, and file-time arithmetic.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/shell/FileTimeConversion.h"
#include "shellext/PathText.h"

namespace shellexttest {
namespace {

using platform::DateTime;
using tamarack::CaptionBufferSize;

TEST(PathTextTest, CaptionsAreShortenedInTheMiddleAndNeverOverrun) {
    char buffer[CaptionBufferSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    auto& caption = reinterpret_cast<char(&)[CaptionBufferSize]>(buffer);
    for (size_t length : {0u, 1u, 100u, 251u, 252u, 253u, 259u, 600u}) {
        std::string path = "C:" + std::string(length > 2 ? length - 2 : 0, 'p');
        if (length > 10)
            path.replace(path.size() - 5, 5, "E.txt");
        tamarack::FormatCaption(caption, "Copy to Clipboard (%s)", path.c_str());
        std::string text = caption;
        EXPECT_EQ('#', buffer[CaptionBufferSize]) << "overrun at " << length;
        if (path.size() + 20 < CaptionBufferSize) {
            EXPECT_EQ("Copy to Clipboard (" + path + ")", text);
        } else {  // the start, an ellipsis, the end: the buffer full
            EXPECT_EQ(CaptionBufferSize - 1, text.size());
            EXPECT_EQ(0u, text.rfind("Copy to Clipboard (C:pp", 0)) << length;
            EXPECT_NE(std::string::npos, text.find("pp...pp")) << length;
            EXPECT_EQ("E.txt)", text.substr(text.size() - 6));
        }
    }
    tamarack::FormatCaption(caption, "Shell (Current directory)", "ignored");
    EXPECT_STREQ("Shell (Current directory)", caption);
    std::string longFormat(400, 'f');  // too long without any path: still cut safely
    tamarack::FormatCaption(caption, longFormat.c_str(), "");
    EXPECT_EQ(CaptionBufferSize - 1, std::strlen(caption));
}

TEST(PathTextTest, DirectoriesNamesAndQuotes) {
    EXPECT_EQ("C:", tamarack::ContainingDirectory("C:\\file.txt"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:\\file.txt"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:\\"));
    EXPECT_EQ("C:\\", tamarack::ShellDirectoryOf("C:"));  // a bare drive: its root
    EXPECT_EQ("\\\\server\\share", tamarack::ShellDirectoryOf("\\\\server\\share\\f"));
    EXPECT_EQ("name", tamarack::ShellDirectoryOf("name"));
    EXPECT_EQ("", tamarack::BareName("C:\\dir\\"));
    EXPECT_EQ("plain", tamarack::BareName("plain"));  // no backslash: not cut
    EXPECT_EQ("\" \"", tamarack::QuoteIfSpaced(" "));
    EXPECT_EQ("", tamarack::QuoteIfSpaced(""));
}

TEST(PathTextTest, FileTimesConvertBothWaysAndRejectImpossibleDates) {
    platform::shell::FileTime time = 1;
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(DateTime{1601, 1, 1, 1}, time));
    EXPECT_EQ(0u, time);
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(DateTime{1970, 1, 4, 1}, time));
    EXPECT_EQ(116444736000000000ULL, time);
    DateTime leap{2024, 2, 4, 29, 23, 59, 58, 999};  // a Thursday
    ASSERT_TRUE(platform::shell::FileTimeFromDateTime(leap, time));
    DateTime back = platform::shell::DateTimeFromFileTime(time);
    EXPECT_EQ((std::vector<int>{2024, 2, 4, 29, 23, 59, 58, 999}),
              (std::vector<int>{back.Year, back.Month, back.DayOfWeek, back.Day, back.Hour,
                                back.Minute, back.Second, back.Millisecond}));
    for (DateTime bad :
         {DateTime{2023, 2, 0, 29}, DateTime{1900, 2, 0, 29}, DateTime{2023, 13, 0, 1},
          DateTime{2023, 1, 0, 1, 24}, DateTime{1600, 12, 0, 31}, DateTime{2023, 1, 0, 0}})
        EXPECT_FALSE(platform::shell::FileTimeFromDateTime(bad, time))
            << bad.Year << "-" << bad.Month;
    EXPECT_EQ(29, platform::shell::DaysInMonth(2000, 2));
    EXPECT_EQ(28, platform::shell::DaysInMonth(2100, 2));
}

}  // namespace
}  // namespace shellexttest
