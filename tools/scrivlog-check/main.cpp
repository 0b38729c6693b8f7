// scrivlog-check: loads configuration files the way the module does, prints the
// configuration report, warnings for the usual merge traps and every error, and exits
// non-zero when the load would fail. The module itself swallows configuration errors;
// this is how a user finds them.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"
#include "logging/config/XmlParser.h"

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
        "  --quiet    print only the warnings and errors, not the configuration report\n"
        "\n"
        "Appenders are built but never started: checking writes no file (not even the\n"
        "configuration dump), opens no socket and looks up no host name.\n"
        "\n"
        "Exit status: 0 when the configuration loads without error (warnings included),\n"
        "1 when the load would fail (the module would then start no appender), 2 for bad\n"
        "usage or a file that cannot be read.\n",
        stream);
    return status;
}

bool ListsIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& held : names)
        if (EqualsIgnoreCase(held, name))
            return true;
    return false;
}

// An additive category that names an appender that an ancestor's record names too: the
// logger gets that appender twice, and writes each record twice.
void WarnSharedAppenders(const XmlConfigurator& configurator, std::vector<std::string>& warnings) {
    for (const CLoggerConfiguration& record : configurator.LoggerConfigurations) {
        if (!record.Additivity || EqualsIgnoreCase(record.Name, "Root"))
            continue;
        // The ancestors that the build attaches, as it walks them.
        std::string current = record.Name;
        do {
            current = CLogFactory::GetParentName(current);
            if (current.empty())
                current = "Root";
            const CLoggerConfiguration* ancestor = configurator.FindLoggerConfiguration(current);
            if (!ancestor)
                continue;
            for (const std::string& reference : record.AppenderReferences)
                if (ListsIgnoringCase(ancestor->AppenderReferences, reference))
                    warnings.push_back("category '" + record.Name +
                                       "' is additive and shares appender '" + reference +
                                       "' with its ancestor '" + ancestor->Name +
                                       "': each of its records is written twice");
            if (!ancestor->Additivity)
                break;
        } while (!EqualsIgnoreCase(current, "Root"));
    }
}

// A user file read after the compiled-in one whose root gives no level: its root record
// replaces the compiled-in one with the default priority.
void WarnRootWithoutPriority(std::string_view userText, std::vector<std::string>& warnings) {
    XmlParseSettings settings;
    XmlNode document;
    if (userText.empty() || !Load(document, userText, settings))
        return;
    const XmlAttribute* active = GetAttribute(document, "active");
    std::vector<const XmlNode*> roots = GetChildren(document, "root");
    if ((active && EqualsIgnoreCase(active->Value, "false")) || roots.size() != 1)
        return;
    const XmlNode* priority = GetChild(*roots[0], "priority");
    const XmlAttribute* value = priority ? GetAttribute(*priority, "value") : nullptr;
    if (!value || StringToLevel(value->Value) == Levels::Undefined)
        warnings.push_back("the user file's root has no priority: the root logger drops to INFO");
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

    // A private factory whose appenders are created as the module would create them but
    // never started, and no report file: checking touches nothing outside this program.
    CLogFactory factory;
    XmlConfigurator configurator;
    std::string errors;
    bool loaded =
        builtin ? LoadConfiguration(factory, "Tamarack", DefaultConfigurationText, errors, fileText,
                                    configurator, false)
                : LoadConfiguration(factory, "Tamarack", fileText, errors, {}, configurator, false);
    if (!quiet && !factory.ConfigurationDump.empty())
        std::fputs(factory.ConfigurationDump.c_str(), stdout);

    std::vector<std::string> warnings;
    WarnSharedAppenders(configurator, warnings);
    if (builtin)
        WarnRootWithoutPriority(fileText, warnings);
    if (!warnings.empty() && !quiet)
        std::puts("");
    for (const std::string& warning : warnings)
        std::printf("WARNING: %s\n", warning.c_str());

    if (loaded) {
        if (!quiet)
            std::puts("\nOK: the configuration loads without error.");
        return 0;
    }
    std::printf("%sERRORS:\n", quiet && warnings.empty() ? "" : "\n");
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
