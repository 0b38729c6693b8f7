#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <tuple>

#include "ConsoleTextFilter.h"
#include "logging/appenders/CUDPConsoleColorAppender.h"
#include "logging/core/CLogger.h"
#include "platform/Environment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

using namespace scrivlog;

namespace {

#ifdef _WIN32
const std::string Quote;  // cmd takes these paths (no blanks) as they are
const char* const Suffix = ".exe";
#else
const std::string Quote = "'";
const char* const Suffix = "";
#endif

std::string Quoted(const std::string& text) {
    return Quote + text + Quote;
}

// Runs the tool `name` (built next to this program) with `arguments`, its output to the
// file `output` and its errors to `errors` (to the output when empty); its exit status.
int RunTool(const std::string& name, const std::string& arguments, const std::string& output,
            const std::string& errors) {
    std::string program = platform::ExecutablePath();
    program.resize(program.find_last_of("/\\") + 1);
    std::string command = Quoted(program + name + Suffix) + " " + arguments + " > " +
                          Quoted(output) + (errors.empty() ? " 2>&1" : " 2> " + Quoted(errors));
    int status = std::system(command.c_str());
#ifndef _WIN32
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return status;
}

// One run of scrivlog-console in the background; started, it waits (at most 30 s) until
// the console says on which port it listens.
struct ConsoleRun {
    explicit ConsoleRun(const std::string& options)
        : status(std::async(std::launch::async, RunTool, "scrivlog-console", options,
                            directory.File("out.txt"), directory.File("err.txt"))) {
        const std::string ready = "listening on 127.0.0.1:";
        for (int wait = 0;
             wait < 600 && port == 0 &&
             status.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready;
             ++wait) {
            std::string errors = testsupport::ReadFile(directory.File("err.txt"));
            size_t at = errors.find(ready);
            if (at != std::string::npos && errors.find('\n', at) != std::string::npos)
                port = static_cast<uint16_t>(std::atoi(errors.c_str() + at + ready.size()));
        }
    }
    std::string Output() const { return testsupport::ReadFile(directory.File("out.txt")); }

    testsupport::TemporaryDirectory directory;
    std::future<int> status;  // waited for when the run goes
    uint16_t port = 0;
};

// Runs the console on 127.0.0.1 with `options`, logs `records` to it through a colour
// appender that clears the screen, and gives back what the console wrote.
std::string Relay(const std::string& options,
                  const std::vector<std::pair<Level, std::string>>& records) {
    ConsoleRun console(options + " -a 127.0.0.1 -p 0 -t 30");
    EXPECT_NE(0, console.port);
    CUDPConsoleColorAppender appender("colour", Levels::All);
    appender.SetParam("hosts", "127.0.0.1");
    appender.SetParam("port", std::to_string(console.port));
    appender.SetParam("ClearScreen", "true");
    std::string error;
    EXPECT_TRUE(appender.Start(error)) << error;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    for (const auto& [level, text] : records)
        logger.Log(level, text.c_str());
    EXPECT_EQ(0, console.status.get());
    return console.Output();
}

}  // namespace

TEST(ScrivlogConsole, ShowsColoursAndClearsTheScreenOnlyWhenAsked) {
    // Five datagrams: clear-screen, one short record, one of three datagrams.
    std::string longRecord(2498, 'L');
    EXPECT_EQ(std::string(ConsoleTextFilter::TerminalClearScreen) +
                  "\033[01;31mhello\r\n\033[0m\033[01;37m" + longRecord + "\r\n\033[0m\033[0m",
              Relay("--colour -c 5", {{Levels::Error, "hello"}, {Levels::Info, longRecord}}));
    // Its output is no terminal: plain text, without any sequence or control character.
    EXPECT_EQ("careful\r\nbell, title ]0;evil, erase .",
              Relay("-c 3", {{Levels::Warn, "careful"},
                             {Levels::Raw, "bell\a, title \033]0;evil\a, erase \033[2J."}}));
}

TEST(ScrivlogConsole, RejectsBadArguments) {
    for (const char* options : {"-p 70000", "--port", "-c 0", "--bogus", "-a 1.2.3.4.5.6"}) {
        ConsoleRun console(options);
        EXPECT_NE(0, console.status.get()) << options;
    }
    ConsoleRun help("--help");
    EXPECT_EQ(0, help.status.get());
    EXPECT_EQ(0u, help.Output().find("Usage: scrivlog-console"));
}

TEST(ConsoleTextFilter, PassesOnlyColoursAndClearScreen) {
    using Charset = ConsoleTextFilter::Charset;
    ConsoleTextFilter terminal(true, true, Charset::Utf8);
    EXPECT_EQ("", terminal.Finish());  // nothing coloured yet
    std::string out;
    terminal.Filter("\033[01;31mx", out);
    EXPECT_EQ("\033[0m", terminal.Finish());

    // Each text cut into two datagrams at every byte, for a UTF-8 terminal and for an 8-bit
    // one. The valid characters: (c) e-acute euro Zhe Alpha zhong smiley; U+00A0, U+D7FF,
    // U+E000, U+10FFFF.
    const std::string valid =
        "\xc2\xa9\xc3\xa9\xe2\x82\xac\xd0\x96\xce\x91\xe4\xb8\xad\xf0\x9f\x98\x80|"
        "\xc2\xa0\xed\x9f\xbf\xee\x80\x80\xf4\x8f\xbf\xbf";
    const std::string clear = ConsoleTextFilter::TerminalClearScreen;
    const std::tuple<std::string, std::string, std::string> cases[] = {
        // input, UTF-8, 8-bit
        // Colours and clearing pass; cursor movement, private modes, overlong parameters,
        // stray escapes and control characters other than tab and line ends are dropped.
        {"a\033[01;31mb\033[0m\0334x\033[2J\033[?25l\033[" + std::string(40, '1') +
             "m\033[1;2Hz\033\nqt\tab\r\n\a\b\x7f" + std::string(1, '\0') + "end",
         "a\033[01;31mb\033[0m" + clear + "xz\nqt\tab\r\nend",
         "a\033[01;31mb\033[0m" + clear + "xz\nqt\tab\r\nend"},
        // C1 controls as single bytes and in UTF-8.
        {"\x9bJ\x9dt\x9c|\xc2\x9bm|\xc2\x85|", "Jt|m||", "Jt|\xc2m|\xc2|"},
        // Whole to a UTF-8 terminal; an 8-bit one gets no byte 0x80-0x9F.
        {valid, valid,
         "\xc2\xa9\xc3\xa9\xe2\xac\xd0\xce\xe4\xb8\xad\xf0|\xc2\xa0\xed\xbf\xee\xf4\xbf\xbf"},
        // Stray continuation, truncated, overlong, surrogate, beyond U+10FFFF, bytes
        // never in UTF-8, a character broken off by an escape and one cut by the end.
        {"\xa9|\xe2\x82x|\xc0\xaf|\xe0\x80\xaf|\xed\xa0\x80|\xf4\x90\x80\x80|\xf5\xff|"
         "\xe2\x82\033[1m|\xe2\x82",
         "|x||||||\033[1m|",
         "\xa9|\xe2x|\xc0\xaf|\xe0\xaf|\xed\xa0|\xf4|\xf5\xff|\xe2\033[1m|\xe2"},
    };
    for (const auto& [input, utf8, eightBit] : cases)
        for (size_t cut = 0; cut <= input.size(); ++cut)
            for (Charset charset : {Charset::Utf8, Charset::EightBit}) {
                ConsoleTextFilter filter(true, true, charset);
                std::string text;
                filter.Filter(input.substr(0, cut), text);
                filter.Filter(input.substr(cut), text);
                EXPECT_EQ(charset == Charset::Utf8 ? utf8 : eightBit, text)
                    << input << " cut at " << cut;
            }
}

TEST(ScrivlogCheck, JudgesAsTheModuleLoadsAndTouchesNothing) {
    // The output goes to the scratch directory, made before TEMP names the other one.
    testsupport::TemporaryDirectory scratch, directory;
    testsupport::ScopedEnvironment environment;
    environment.Set("TEMP", directory.Path().string());
    environment.Set("SCRIVLOG_DUMP_CONFIG", "1");
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(directory.File(name), std::ios::binary) << text;
        return Quoted(directory.File(name));
    };
    auto check = [&](const std::string& arguments, std::string& output) {
        int status = RunTool("scrivlog-check", arguments, scratch.File("output.txt"), "");
        std::ifstream in(scratch.File("output.txt"));  // text mode: Windows' "\r\n" reads as "\n"
        output.assign(std::istreambuf_iterator<char>(in), {});
        return status;
    };
    std::string empty = write("empty.xml", "");
    std::string traps = write("traps.xml", R"(<c><root><appender-ref ref="Console"/></root>
      <appender name="Console" class="ConsoleAppender"><layout class="HTMLLayout"/></appender>
      <category name="com.brenmoor.quillhaven.Tamarack"><priority value="Debug"/>
        <appender-ref ref="defaultappender"/></category>
      <category name="app" additivity="false"><appender-ref ref="Console"/></category>
      <category name="app.part"><appender-ref ref="Console"/></category></c>)");
    std::string sinks = write("sinks.xml", R"(<c><root><priority value="Error"/>
      <appender-ref ref="Report"/><appender-ref ref="Console"/></root>
      <appender name="Report" class="FileAppender"><param name="File" value="%TEMP%/report.html"/>
        <layout class="HTMLLayout"/></appender>
      <appender name="Console" class="ConsoleAppender"><layout class="HTMLLayout"/></appender>
      </c>)");

    // The arguments, the exit status and what the output holds.
    const std::tuple<std::string, int, std::string> cases[] = {
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
        {"--quiet " + Quoted(directory.File("missing.xml")), 2, "scrivlog-check: cannot open"},
    };
    for (const auto& [arguments, status, expected] : cases) {
        std::string output;
        EXPECT_EQ(status, check(arguments, output)) << arguments;
        EXPECT_EQ(expected.empty(), output.empty()) << arguments << "\n" << output;
        EXPECT_NE(std::string::npos, output.find(expected)) << arguments << "\n" << output;
    }
#ifndef _WIN32
    // A FIFO is no file: refused at once, never waited on.
    ASSERT_EQ(0, mkfifo(directory.File("fifo.xml").c_str(), 0600));
    std::string output;
    EXPECT_EQ(2, check("--builtin " + Quoted(directory.File("fifo.xml")), output));
    std::filesystem::remove(directory.File("fifo.xml"));
#endif
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory.Path()))
        entries += entry.path().extension() == ".xml" ? 0 : 1;
    EXPECT_EQ(0u, entries);
}
