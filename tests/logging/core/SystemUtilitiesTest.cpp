#include <gtest/gtest.h>

#include "logging/core/SystemUtilities.h"
#include "platform/SystemErrors.h"

using namespace scrivlog;

TEST(SystemUtilities, ErrorTextsAndNumbers) {
    // 2: ERROR_FILE_NOT_FOUND / ENOENT. 193 (ERROR_BAD_EXE_FORMAT) is a Windows message
    // with an insert ("%1 is not a valid Win32 application.").
#ifdef _WIN32
    const uint32_t codes[] = {2, 193};
#else
    const uint32_t codes[] = {2};
#endif
    for (uint32_t code : codes) {
        std::string text = ErrorCodeToText(code);
        std::string suffix = " [" + std::to_string(code) + "]";
        EXPECT_GT(text.size(), suffix.size()) << text;
        EXPECT_EQ(text.size() - suffix.size(), text.find(suffix)) << text;
        EXPECT_EQ(std::string::npos, text.find_first_of("\r\n")) << text;
        platform::SetLastSystemErrorCode(code);
        EXPECT_EQ(text, LastErrorText());
    }
    EXPECT_EQ("[Unknown error code:123456789]", ErrorCodeToText(123456789));
    EXPECT_STREQ("\r\n", LineSeparator());
    // ParseInt reads like atol, saturated.
    const std::pair<const char*, int32_t> table[] = {{"42abc", 42},  {"", 0},   {"-7", -7},
                                                     {"  \t12", 12}, {"+5", 5}, {"abc", 0},
                                                     {"- 5", 0},     {"1MB", 1}};
    for (const auto& [text, value] : table)
        EXPECT_EQ(value, ParseInt(text)) << text;
    EXPECT_EQ(INT32_MAX, ParseInt("99999999999999999999999"));
    EXPECT_EQ(INT32_MIN, ParseInt("-99999999999999999999999"));
}
