#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Environment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

namespace {

#ifdef _WIN32
const char* const Quote = "";  // cmd takes these paths (no blanks) as they are
const char* const Program = "scrivlog-check.exe";
#else
const char* const Quote = "'";
const char* const Program = "scrivlog-check";
#endif

// Runs scrivlog-check with `arguments`; its exit status, and its output and errors in
// `output`.
int Check(const std::string& arguments, std::string& output) {
    std::string program = platform::ExecutablePath();
    program.resize(program.find_last_of("/\\") + 1);
    testsupport::TemporaryDirectory scratch;
    std::string outputFile = scratch.File("output.txt");
    std::string command = Quote + program + Program + Quote + " " + arguments + " > " + Quote +
                          outputFile + Quote + " 2>&1";
    int status = std::system(command.c_str());
    output.clear();
    for (char c : testsupport::ReadFile(outputFile))
        if (c != '\r')  // Windows' standard output ends lines with "\r\n"
            output += c;
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return status;
}

}  // namespace

TEST(ScrivlogCheck, JudgesAsTheModuleLoadsAndTouchesNothing) {
    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
    environment.Set("TEMP", directory.Path().string());
    environment.Set("SCRIVLOG_DUMP_CONFIG", "1");
    auto path = [&](const std::string& name) { return Quote + directory.File(name) + Quote; };
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(directory.File(name), std::ios::binary) << text;
        return path(name);
    };
    std::string report;
    for (char c : directory.File("report.html"))
        report += c == '\\' ? std::string("\\\\") : std::string(1, c);
    std::string empty = write("empty.xml", "");
    std::string traps = write("traps.xml", R"(<c><root><appender-ref ref="Console"/></root>
      <appender name="Console" class="ConsoleAppender"><layout class="HTMLLayout"/></appender>
      <category name="com.brenmoor.quillhaven.Tamarack"><priority value="Debug"/>
        <appender-ref ref="defaultappender"/></category>
      <category name="app" additivity="false"><appender-ref ref="Console"/></category>
      <category name="app.part"><appender-ref ref="Console"/></category></c>)");
    std::string sinks = write("sinks.xml", R"(<c><root><priority value="Error"/>
      <appender-ref ref="Report"/><appender-ref ref="Console"/></root>
      <appender name="Report" class="FileAppender"><param name="File" value=")" +
                                               report + R"("/>
        <layout class="HTMLLayout"/></appender>
      <appender name="Console" class="ConsoleAppender"><layout class="HTMLLayout"/></appender>
      </c>)");

    struct Case {
        std::string arguments;
        int status;
        std::string expected;  // what the output holds
    } cases[] = {
        // An empty user file is no user file to the module.
        {"--builtin " + empty, 0, "\nOK: the configuration loads without error.\n"},
        {empty, 1,
         "ERRORS:\n  unable to load configuration [XMLStream1] (Load XML file stream:XML open "
         "tag not found)\n"},
        {"--builtin --quiet " + traps, 0,
         "WARNING: category 'com.brenmoor.quillhaven.Tamarack' is additive and shares appender "
         "'DefaultAppender' with its ancestor 'root': each of its records is written twice\n"
         "WARNING: category 'app.part' is additive and shares appender 'Console' with its "
         "ancestor 'app': each of its records is written twice\n"
         "WARNING: the user file's root has no priority: the root logger drops to INFO\n"},
        // Appenders are built, never started: no footer, no file, no report file.
        {"--builtin --quiet " + sinks, 0, ""},
        {"--quiet " + path("missing.xml"), 2, "scrivlog-check: cannot open"},
    };
    for (const Case& c : cases) {
        std::string output;
        EXPECT_EQ(c.status, Check(c.arguments, output)) << c.arguments;
        if (c.expected.empty())
            EXPECT_EQ("", output) << c.arguments;
        else
            EXPECT_NE(std::string::npos, output.find(c.expected)) << c.arguments << "\n" << output;
    }
#ifndef _WIN32
    // A FIFO is no file: refused at once, never waited on.
    ASSERT_EQ(0, mkfifo(directory.File("fifo.xml").c_str(), 0600));
    std::string output;
    EXPECT_EQ(2, Check("--builtin " + path("fifo.xml"), output));
    std::filesystem::remove(directory.File("fifo.xml"));
#endif
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory.Path()))
        entries += entry.path().extension() == ".xml" ? 0 : 1;
    EXPECT_EQ(0u, entries);
}
