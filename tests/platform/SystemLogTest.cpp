#include <gtest/gtest.h>

#include <cstdio>

#include "platform/DebugOutput.h"
#include "platform/SystemLog.h"

using namespace platform;

TEST(SystemLog, RegistersReportsAndDeregistersOnTheSystemLog) {
    SystemLogSource source = RegisterSystemLogSource("ScrivlogPlatformTest");
    ASSERT_NE(nullptr, source);
    for (SystemLogType type :
         {SystemLogType::Information, SystemLogType::Warning, SystemLogType::Error})
        EXPECT_TRUE(ReportSystemLogEntry(source, type, 100, 0, "platform test entry"));
    EXPECT_TRUE(DeregisterSystemLogSource(source));
    EXPECT_FALSE(ReportSystemLogEntry(nullptr, SystemLogType::Error, 100, 0, "no source"));
}

TEST(DebugOutput, PassesTextUpToItsFirstZero) {
#ifndef _WIN32
    testing::internal::CaptureStderr();
#endif
    WriteDebugOutput(std::string_view("line\r\n\0hidden", 13));
    WriteDebugOutput("");
#ifndef _WIN32
    std::fflush(stderr);
    EXPECT_EQ("line\r\n", testing::internal::GetCapturedStderr());
#endif
}
