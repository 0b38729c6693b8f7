#include <gtest/gtest.h>

#include "logging/config/ConfigurationDump.h"
#include "logging/config/DefaultConfiguration.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;

TEST(ConfigurationDump, Texts) {
    XmlConfigurator compiled, empty;
    ASSERT_TRUE(compiled.Load(DefaultConfigurationText)) << compiled.Message;
    std::string dump = "stale";
    BuildConfigurationDump(compiled, dump);
    EXPECT_EQ(
        "Loggers(2):\r\n-----------\r\n"
        "Logger: root, threshold:ERROR, additivity:yes\r\n      appender-ref: DefaultAppender\r\n"
        "Logger: com.brenmoor.quillhaven.Tamarack, threshold:ERROR, additivity:no\r\n"
        "      appender-ref: DefaultAppender\r\nAppenders(1):\r\n-------------\r\n"
        "Appender name: DefaultAppender, class:RollingFileAppender, threshold:NOTSET, "
        "layout:PatternLayout\r\n"
        "   appender-param: File                 value:%TEMP%\\Tamarack.log\r\n"
        "   appender-param: MaxFileSize          value:1000000\r\n"
        "   appender-param: MaxBackupIndex       value:7\r\n"
        "   layout-param  : ConversionPattern    value:%d [%-5p] [%-15c{1}-%8t] %m%n\r\n",
        dump);

    // Empty lists. (Long names and layout parameters without a layout class: the
    // configurator's merging test.)
    BuildConfigurationDump(empty, dump);
    EXPECT_EQ("Loggers(0):\r\n-----------\r\nAppenders(0):\r\n-------------\r\n", dump);
}

TEST(ConfigurationDump, TheFileIsWrittenOnlyForExactlyOne) {
    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
    environment.Set("TEMP", directory.Path().string());
    std::string file = directory.File("ScrivlogConfigDump_Tamarack.log");
    for (const char* value : {"true", "2", "1 ", "01"}) {
        environment.Set("SCRIVLOG_DUMP_CONFIG", value);
        WriteConfigurationDumpFile("Tamarack", "report\r\n");
        EXPECT_FALSE(std::filesystem::exists(file)) << value;
    }
    environment.Set("SCRIVLOG_DUMP_CONFIG", "1");
#ifndef _WIN32
    // An empty TEMP is no place: nothing goes to the root of the file system.
    environment.Set("TEMP", "");
    WriteConfigurationDumpFile("Tamarack", "report\r\n");
    EXPECT_FALSE(std::filesystem::exists("/ScrivlogConfigDump_Tamarack.log"));
    environment.Set("TEMP", directory.Path().string());
#endif
    WriteConfigurationDumpFile("Tamarack", "old report, longer\r\n");
    WriteConfigurationDumpFile("Tamarack", "report\r\n");
    EXPECT_EQ("Scrivlog configuration for 'Tamarack'\r\n\r\nreport\r\n",
              testsupport::ReadFile(file));
}
