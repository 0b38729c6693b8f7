// scrivlog-console: a listener for the UDP console appenders. It receives their
// datagrams on a port and writes the text to its standard output, in colour on a
// terminal, until Ctrl-C.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ConsoleTextFilter.h"
#include "platform/Clock.h"
#include "platform/Terminal.h"
#include "platform/Udp.h"

namespace {

const char* const Usage =
    "Usage: scrivlog-console [options]\n"
    "Shows what the Scrivlog UDP console appenders send.\n"
    "  -p, --port PORT       UDP port to listen on (default 4884; 0 picks a free one)\n"
    "  -a, --address ADDR    local address or name to listen on (default: all local addresses)\n"
    "      --colour          always pass colours and clear-screen on\n"
    "  -n, --no-colour       strip colours and ignore clear-screen\n"
    "                        (default: colours on a terminal, none otherwise)\n"
    "  -c, --count N         stop after N datagrams\n"
    "  -t, --idle SECONDS    stop after SECONDS without a datagram\n"
    "  -h, --help            show this text\n"
    "Ctrl-C stops it.\n";

struct Options {
    uint16_t port = 4884;
    platform::Ipv4Address address = 0;  // all local addresses
    int colour = -1;                    // -1: by the terminal; 0: never; 1: always
    unsigned long count = 0;            // 0: no limit
    unsigned long idleSeconds = 0;      // 0: no limit
};

bool ParseNumber(const char* text, unsigned long limit, unsigned long& value) {
    if (!text || !*text)
        return false;
    char* end = nullptr;
    unsigned long parsed = std::strtoul(text, &end, 10);
    if (*end != '\0' || parsed > limit || text[0] == '-')
        return false;
    value = parsed;
    return true;
}

// 0 to go on, otherwise the exit status (1 for bad arguments, 0 after --help).
int ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long number = 0;
        if (argument == "-h" || argument == "--help") {
            std::fputs(Usage, stdout);
            return -1;
        } else if (argument == "--colour" || argument == "--color") {
            options.colour = 1;
        } else if (argument == "-n" || argument == "--no-colour" || argument == "--no-color") {
            options.colour = 0;
        } else if (argument == "-p" || argument == "--port") {
            if (!ParseNumber(value, 65535, number)) {
                std::fprintf(stderr, "scrivlog-console: '%s' needs a port from 0 to 65535\n",
                             argument.c_str());
                return 1;
            }
            options.port = static_cast<uint16_t>(number);
            ++i;
        } else if (argument == "-c" || argument == "--count" || argument == "-t" ||
                   argument == "--idle") {
            if (!ParseNumber(value, 1000000000ul, number) || number == 0) {
                std::fprintf(stderr, "scrivlog-console: '%s' needs a positive number\n",
                             argument.c_str());
                return 1;
            }
            (argument == "-c" || argument == "--count" ? options.count : options.idleSeconds) =
                number;
            ++i;
        } else if (argument == "-a" || argument == "--address") {
            if (!value) {
                std::fprintf(stderr, "scrivlog-console: '%s' needs an address\n", argument.c_str());
                return 1;
            }
            // Digits and dots are an address or nothing; only names are looked up.
            bool dotted = std::strspn(value, "0123456789.") == std::strlen(value);
            platform::Ipv4Address address = platform::ParseIpv4Address(value);
            bool valid = dotted ? address != platform::NoIpv4Address ||
                                      std::strcmp(value, "255.255.255.255") == 0
                                : platform::ResolveHostName(value, address);
            if (!valid) {
                std::fprintf(stderr, "scrivlog-console: cannot resolve '%s'\n", value);
                return 1;
            }
            options.address = address;
            ++i;
        } else {
            std::fprintf(stderr, "scrivlog-console: unknown option '%s'\n%s", argument.c_str(),
                         Usage);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (int status = ParseArguments(argc, argv, options))
        return status < 0 ? 0 : status;

    bool terminal =
        options.colour == 1 || (options.colour == -1 && platform::StandardOutputIsTerminal() &&
                                platform::EnableTerminalSequences());
    if (options.colour == 1)
        platform::EnableTerminalSequences();

    // The appenders send "\r\n" line ends already.
    platform::MakeStandardOutputBinary();
    platform::UdpSocket socket;
    // Room for bursts: one long record is up to 64 datagrams.
    socket.SetReceiveBufferSize(4u << 20);
    if (!socket.Bind(options.address, options.port)) {
        std::fprintf(stderr, "scrivlog-console: cannot listen on %s:%u\n",
                     platform::FormatIpv4Address(options.address).c_str(), options.port);
        return 2;
    }
    platform::CatchInterrupts();
    std::fprintf(stderr, "scrivlog-console: listening on %s:%u (Ctrl-C stops)\n",
                 platform::FormatIpv4Address(options.address).c_str(), socket.LocalPort());
    std::fflush(stderr);

    ConsoleTextFilter filter(terminal, terminal,
                             platform::TerminalTakesUtf8() ? ConsoleTextFilter::Charset::Utf8
                                                           : ConsoleTextFilter::Charset::EightBit);
    std::string datagram, text;
    unsigned long received = 0;
    uint32_t lastArrival = platform::TickCount();
    while (!platform::InterruptRequested()) {
        if (!socket.Receive(datagram, 200)) {
            if (options.idleSeconds != 0 &&
                platform::TickCount() - lastArrival >= options.idleSeconds * 1000u)
                break;
            continue;
        }
        lastArrival = platform::TickCount();
        text.clear();
        filter.Filter(datagram, text);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
        if (options.count != 0 && ++received >= options.count)
            break;
    }
    std::string end = filter.Finish();
    std::fwrite(end.data(), 1, end.size(), stdout);
    std::fflush(stdout);
    return 0;
}
