#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "ConsoleTextFilter.h"
#include "logging/appenders/CUDPConsoleColorAppender.h"
#include "logging/core/CLogger.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;

namespace {

#ifdef _WIN32
const char* const Quote = "";  // cmd takes these paths (no blanks) as they are
const char* const Program = "scrivlog-console.exe";
#else
const char* const Quote = "'";
const char* const Program = "scrivlog-console";
#endif

std::string Quoted(const std::string& text) {
    return Quote + text + Quote;
}

// One run of scrivlog-console in the background, its output and errors in files.
class ConsoleRun {
  public:
    ~ConsoleRun() {
        if (m_thread.joinable())
            m_thread.join();
    }

    // Starts it and waits (at most 30 s) until it says on which port it listens.
    bool Start(const std::string& options) {
        std::string program = platform::ExecutablePath();
        program.resize(program.find_last_of("/\\") + 1);
        std::string command = Quoted(program + Program) + " " + options + " > " +
                              Quoted(m_directory.File("out.txt")) + " 2> " +
                              Quoted(m_directory.File("err.txt"));
        m_thread = std::thread([this, command] {
            m_status = std::system(command.c_str());
            m_ended = true;
        });
        const std::string ready = "listening on 127.0.0.1:";
        for (int wait = 0; wait < 600 && port == 0 && !m_ended; ++wait) {
            std::string errors = testsupport::ReadFile(m_directory.File("err.txt"));
            size_t at = errors.find(ready);
            if (at != std::string::npos && errors.find('\n', at) != std::string::npos)
                port = static_cast<uint16_t>(std::atoi(errors.c_str() + at + ready.size()));
            platform::system_clock::Sleep(50);
        }
        return port != 0;
    }
    // Waits for it to end; its exit status.
    int Finish() {
        m_thread.join();
        return m_status;
    }
    std::string Output() const { return testsupport::ReadFile(m_directory.File("out.txt")); }

    uint16_t port = 0;

  private:
    testsupport::TemporaryDirectory m_directory;
    std::thread m_thread;
    int m_status = -1;
    std::atomic<bool> m_ended{false};
};

// Runs the console on 127.0.0.1 with `options`, has `feed` log through a colour
// appender that clears the screen, and gives back what the console wrote.
template <class Feed>
std::string Relay(const std::string& options, Feed feed) {
    ConsoleRun console;
    EXPECT_TRUE(console.Start(options + " -a 127.0.0.1 -p 0 -t 30"));
    CUDPConsoleColorAppender appender("colour", Levels::All);
    appender.SetParam("hosts", "127.0.0.1");
    appender.SetParam("port", std::to_string(console.port));
    appender.SetParam("ClearScreen", "true");
    std::string error;
    EXPECT_TRUE(appender.Start(error)) << error;
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    feed(logger);
    EXPECT_EQ(0, console.Finish());
    return console.Output();
}

}  // namespace

TEST(ScrivlogConsole, ShowsColoursAndClearsTheScreenOnlyWhenAsked) {
    // Five datagrams: clear-screen, one short record, one of three datagrams.
    std::string longRecord(2498, 'L');
    EXPECT_EQ(std::string(ConsoleTextFilter::TerminalClearScreen) +
                  "\033[01;31mhello\r\n\033[0m\033[01;37m" + longRecord + "\r\n\033[0m\033[0m",
              Relay("--colour -c 5", [&](CLogger& logger) {
                  logger.LogError("hello");
                  logger.Log(Levels::Info, longRecord.c_str());
              }));
    // Its output is no terminal: plain text, without any sequence or control character.
    EXPECT_EQ("careful\r\nbell, title ]0;evil, erase .", Relay("-c 3", [](CLogger& logger) {
                  logger.Log(Levels::Warn, "careful");
                  logger.Log(Levels::Raw, "bell\a, title \033]0;evil\a, erase \033[2J.");
              }));
}

TEST(ScrivlogConsole, RejectsBadArguments) {
    for (const char* options : {"-p 70000", "--port", "-c 0", "--bogus", "-a 1.2.3.4.5.6"}) {
        ConsoleRun console;
        EXPECT_FALSE(console.Start(options));
        EXPECT_NE(0, console.Finish()) << options;
    }
    ConsoleRun help;
    help.Start("--help");
    EXPECT_EQ(0, help.Finish());
    EXPECT_EQ(0u, help.Output().find("Usage: scrivlog-console"));
}

TEST(ConsoleTextFilter, PassesOnlyColoursAndClearScreen) {
    using Charset = ConsoleTextFilter::Charset;
    ConsoleTextFilter terminal(true, true, Charset::Utf8), plain(false, false, Charset::Utf8);
    EXPECT_EQ("", terminal.Finish());  // nothing coloured yet
    std::string out;
    terminal.Filter("a\033[01;3", out);  // a sequence split between two datagrams
    terminal.Filter("1mb\033[0m\0334x", out);
    // Cursor movement, private modes, overlong parameters, stray escapes and control
    // characters other than tab and line ends are dropped.
    terminal.Filter("\033[2J\033[?25l\033[" + std::string(40, '1') + "m\033[1;2Hz\033\nq", out);
    terminal.Filter(std::string("t\tab\r\n\a\b\x7f\0end", 14), out);
    EXPECT_EQ("a\033[01;31mb\033[0m" + std::string(ConsoleTextFilter::TerminalClearScreen) +
                  "xz\nqt\tab\r\nend",
              out);
    EXPECT_EQ("\033[0m", terminal.Finish());

    out.clear();
    plain.Filter("\0334\033[01;31mx\r\n\033[0m", out);
    EXPECT_EQ("x\r\n", out);
    EXPECT_EQ("", plain.Finish());

    // Characters beyond ASCII, cut into two datagrams at every byte: for a UTF-8
    // terminal, and for an 8-bit one. The valid ones: (c) e-acute euro Zhe Alpha zhong
    // smiley; U+00A0, U+D7FF, U+E000, U+10FFFF.
    const std::string valid =
        "\xc2\xa9\xc3\xa9\xe2\x82\xac\xd0\x96\xce\x91\xe4\xb8\xad\xf0\x9f\x98\x80|"
        "\xc2\xa0\xed\x9f\xbf\xee\x80\x80\xf4\x8f\xbf\xbf";
    struct {
        std::string input, utf8, eightBit;
    } cases[] = {
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
    for (const auto& c : cases)
        for (size_t cut = 0; cut <= c.input.size(); ++cut)
            for (Charset charset : {Charset::Utf8, Charset::EightBit}) {
                ConsoleTextFilter filter(true, true, charset);
                std::string text;
                filter.Filter(c.input.substr(0, cut), text);
                filter.Filter(c.input.substr(cut), text);
                EXPECT_EQ(charset == Charset::Utf8 ? c.utf8 : c.eightBit, text)
                    << c.input << " cut at " << cut;
            }
}
