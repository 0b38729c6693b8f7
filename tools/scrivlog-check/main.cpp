// scrivlog-check: loads configuration files the way the module does, prints the
// configuration report and every error, and exits non-zero when the load would fail.
// The module itself swallows configuration errors; this is how a user finds them.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"

using namespace scrivlog;

namespace {

int Usage(FILE* stream, int status) {
    std::fputs(
        "usage: scrivlog-check [--builtin] [--quiet] [FILE]\n"
        "\n"
        "Loads a Scrivlog configuration as the Tamarack module does and reports what it found.\n"
        "  FILE       the configuration file to check (for example explorer.scrivlog.xml)\n"
        "  --builtin  load the compiled-in configuration first and FILE after it, as the\n"
        "             module does with the user's file; alone, checks the compiled-in text\n"
        "  --quiet    print only the errors, not the configuration report\n"
        "\n"
        "Exit status: 0 when the configuration loads without error, 1 when the load would\n"
        "fail (the module would then start no appender), 2 for bad usage or a file that\n"
        "cannot be read.\n",
        stream);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    bool builtin = false, quiet = false;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--builtin") == 0) {
            builtin = true;
        } else if (std::strcmp(argv[i], "--quiet") == 0) {
            quiet = true;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return Usage(stdout, 0);
        } else if (argv[i][0] == '-' || file) {
            return Usage(stderr, 2);
        } else {
            file = argv[i];
        }
    }
    if (!file && !builtin)
        return Usage(stderr, 2);

    std::string fileText;
    if (file && !ReadTextFile(file, fileText)) {
        std::fprintf(stderr, "scrivlog-check: cannot open '%s'\n", file);
        return 2;
    }
    if (file && fileText.empty()) {
        std::fprintf(stderr, "scrivlog-check: '%s' is empty\n", file);
        return 1;
    }

    // A private factory: appenders are created as the module would, but never started,
    // so checking writes no file and opens no socket.
    CLogFactory factory;
    std::string errors;
    bool loaded =
        builtin ? LoadConfiguration(factory, "Tamarack", DefaultConfigurationText, errors, fileText)
                : LoadConfiguration(factory, "Tamarack", fileText, errors, {});
    if (!quiet && !factory.ConfigurationDump.empty())
        std::fputs(factory.ConfigurationDump.c_str(), stdout);
    if (loaded) {
        if (!quiet)
            std::puts("\nOK: the configuration loads without error.");
        return 0;
    }
    std::printf("%sERRORS:\n", quiet ? "" : "\n");
    size_t start = 0;
    while (start <= errors.size()) {
        size_t end = errors.find('\n', start);
        if (end == std::string::npos)
            end = errors.size();
        std::printf("  %s\n", errors.substr(start, end - start).c_str());
        start = end + 1;
    }
    std::puts("The module would start no appender with this configuration.");
    return 1;
}
