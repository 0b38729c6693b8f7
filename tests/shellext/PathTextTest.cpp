// Path texts and menu captions at their limits, and file-time arithmetic.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/WideText.h"
#include "platform/shell/FileTimeConversion.h"
#include "shellext/PathText.h"

namespace shellexttest {
namespace {

using platform::DateTime;
using tamarack::CaptionBufferSize;

// Captions are measured in UTF-16 units, as the menu holds them, and cut between whole
// characters: ASCII, a 3-byte character (one unit) and a 4-byte one (a surrogate pair).
TEST(PathTextTest, CaptionsAreShortenedInTheMiddleByWholeCharactersAndNeverOverrun) {
    char buffer[CaptionBufferSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    auto& caption = reinterpret_cast<char(&)[CaptionBufferSize]>(buffer);
    for (std::string unit : {"p", "\u30BD", "\U0001F600"}) {
        size_t unitLength = platform::Utf16FromUtf8(unit).size();
        for (size_t units : {0u, 1u, 100u, 251u, 252u, 253u, 259u, 600u}) {
            std::string path = "C:";
            while (platform::Utf16FromUtf8(path).size() + unitLength <= units)
                path += unit;
            path += "E.txt";
            tamarack::FormatCaption(caption, "Copy to Clipboard (%s)", path.c_str());
            std::string text = caption;
            std::u16string wide = platform::Utf16FromUtf8(text);
            EXPECT_EQ('#', buffer[CaptionBufferSize]) << "overrun at " << units;
            EXPECT_EQ(text, platform::Utf8FromUtf16(wide)) << "a character was cut";
            if (platform::Utf16FromUtf8(path).size() + 20 <= tamarack::CaptionLength) {
                EXPECT_EQ("Copy to Clipboard (" + path + ")", text);
            } else {  // the start, an ellipsis, the end: the caption's full length or a unit less
                EXPECT_GE(tamarack::CaptionLength, wide.size());
                EXPECT_LE(tamarack::CaptionLength - 1, wide.size());
                EXPECT_EQ(0u, text.rfind("Copy to Clipboard (C:" + unit, 0)) << units;
                EXPECT_NE(std::string::npos, text.find(unit + "..." + unit)) << units;
                EXPECT_EQ("E.txt)", text.substr(text.size() - 6));
            }
        }
    }
    std::string longFormat(400, 'f');  // too long without any path: still cut safely
    tamarack::FormatCaption(caption, longFormat.c_str(), "");
    EXPECT_EQ(tamarack::CaptionLength, std::strlen(caption));
}

// UTF-8 and UTF-16 round-trip exactly, an unpaired surrogate (valid in a file name) too.
TEST(PathTextTest, TextsConvertBetweenUtf8AndUtf16Exactly) {
    const struct {
        std::u16string utf16;
        std::string utf8;
    } cases[] = {
        {u"C:\\a.txt", "C:\\a.txt"},
        {u"\u0101\u30BD\u30C4", "\xC4\x81\xE3\x82\xBD\xE3\x83\x84"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string{u'a', char16_t(0xD83D), u'b'},
         "a\xED\xA0\xBD"
         "b"},
        {std::u16string{char16_t(0xDE00)}, "\xED\xB8\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.utf8, platform::Utf8FromUtf16(c.utf16));
        EXPECT_TRUE(c.utf16 == platform::Utf16FromUtf8(c.utf8)) << c.utf8;
    }
    // Bytes that are no UTF-8 become U+FFFD, one each.
    EXPECT_TRUE(u"\uFFFDx\uFFFD\uFFFD" == platform::Utf16FromUtf8("\xC0x\xE3\x82"));
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
}

}  // namespace
}  // namespace shellexttest
