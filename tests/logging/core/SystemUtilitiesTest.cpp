#include <gtest/gtest.h>

#include "logging/core/SystemUtilities.h"
#include "platform/SystemErrors.h"

using namespace scrivlog;

TEST(SystemUtilities, ErrorTexts) {
#ifdef _WIN32
    const uint32_t fileNotFound = 2;  // ERROR_FILE_NOT_FOUND
#else
    const uint32_t fileNotFound = 2;  // ENOENT
#endif
    std::string text = ErrorCodeToText(fileNotFound);
    EXPECT_NE(std::string::npos, text.find(" [2]")) << text;
    EXPECT_EQ(text.size() - 4, text.find(" [2]")) << text;
    EXPECT_EQ(std::string::npos, text.find('\r'));
    EXPECT_EQ(std::string::npos, text.find('\n'));
    EXPECT_EQ("[Unknown error code:123456789]", ErrorCodeToText(123456789));

    platform::SetLastSystemErrorCode(fileNotFound);
    EXPECT_EQ(text, LastErrorText());
    EXPECT_STREQ("\r\n", LineSeparator());
}

TEST(SystemUtilities, ParseIntReadsLikeAtol) {
    EXPECT_EQ(42, ParseInt("42abc"));
    EXPECT_EQ(0, ParseInt(""));
    EXPECT_EQ(-7, ParseInt("-7"));
    EXPECT_EQ(12, ParseInt("  \t12"));
    EXPECT_EQ(5, ParseInt("+5"));
    EXPECT_EQ(0, ParseInt("abc"));
    EXPECT_EQ(0, ParseInt("- 5"));
    EXPECT_EQ(1, ParseInt("1MB"));
    EXPECT_EQ(INT32_MAX, ParseInt("99999999999999999999999"));
    EXPECT_EQ(INT32_MIN, ParseInt("-99999999999999999999999"));
}
