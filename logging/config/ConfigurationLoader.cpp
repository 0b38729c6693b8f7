#include "logging/config/ConfigurationLoader.h"

#include <cstring>
#include <memory>
#include <vector>

#include "logging/config/ConfigurationDump.h"
#include "logging/config/XmlConfigurator.h"
#include "platform/Environment.h"
#include "platform/ReadableFile.h"

namespace scrivlog {
namespace {

// The limits of the buffers that the look-up works with.
constexpr size_t ExecutablePathLimit = 260;
constexpr size_t ProfileDirectoryLimit = 2000;

void AddLine(std::string& errors, const std::string& line) {
    if (!errors.empty())
        errors += '\n';
    errors += line;
}

}  // namespace

bool ReadTextFile(std::string_view path, std::string& text) {
    text.clear();
    platform::ReadableFile file;
    if (!file.Open(path))
        return false;
    constexpr size_t PieceSize = 65536;
    std::unique_ptr<char[]> piece(new char[PieceSize]);
    while (size_t count = file.Read(piece.get(), PieceSize)) {
        const void* zero = std::memchr(piece.get(), 0, count);
        text.append(piece.get(), zero ? static_cast<const char*>(zero) - piece.get() : count);
    }
    return true;
}

std::vector<std::string> UserConfigurationCandidates() {
    std::vector<std::string> candidates;
    std::string executable = platform::ExecutablePath();
    if (executable.empty() || executable.size() > ExecutablePathLimit)
        return candidates;
    size_t nameStart = executable.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::string directory = executable.substr(0, nameStart);
    std::string base = executable.substr(nameStart);
    size_t dot = base.rfind('.');
    if (dot != std::string::npos)
        base.resize(dot);

    // A profile directory that is unset, empty or too long is no place to look: its
    // candidate would otherwise name a file at the root of the file system.
    std::string profile;
    if (platform::GetEnvironmentValue("USERPROFILE", profile) && !profile.empty() &&
        profile.size() < ProfileDirectoryLimit)
        candidates.push_back(profile + "\\" + base + ".scrivlog.xml");
    candidates.push_back(directory + base + ".scrivlog.xml");
    for (std::string& candidate : candidates)
        if (candidate.back() == '\\')
            candidate.pop_back();
    return candidates;
}

std::string ReadUserConfiguration(std::string* foundPath) {
    std::string text;
    for (const std::string& candidate : UserConfigurationCandidates()) {
        if (ReadTextFile(candidate, text)) {
            if (foundPath)
                *foundPath = candidate;
            return text;
        }
    }
    return text;
}

bool LoadConfiguration(CLogFactory& factory, std::string_view applicationName,
                       std::string_view text1, std::string& errors, std::string_view text2) {
    XmlConfigurator configurator;
    return LoadConfiguration(factory, applicationName, text1, errors, text2, configurator, true);
}

bool LoadConfiguration(CLogFactory& factory, std::string_view applicationName,
                       std::string_view text1, std::string& errors, std::string_view text2,
                       XmlConfigurator& configurator, bool writeDumpFile) {
    errors.clear();
    try {
        if (!configurator.Load(text1)) {
            AddLine(errors,
                    "unable to load configuration [XMLStream1] (" + configurator.Message + ")");
            return false;
        }
        if (!text2.empty() && !configurator.Load(text2))
            AddLine(errors,
                    "unable to load configuration [XMLStream2] (" + configurator.Message + ")");
        BuildConfigurationDump(configurator, factory.ConfigurationDump);
        if (writeDumpFile)
            WriteConfigurationDumpFile(applicationName, factory.ConfigurationDump);
        std::string buildErrors;
        if (!BuildConfiguration(factory, configurator, buildErrors))
            AddLine(errors, buildErrors);
    } catch (const std::exception& error) {
        AddLine(errors, std::string("unable to load configuration (") + error.what() + ")");
    }
    return errors.empty();
}

bool ConfigureFromFiles(CLogFactory& factory, std::string_view applicationName,
                        std::string_view builtInText, std::string& errors, bool lookForUserFile) {
    std::string userText;
    if (lookForUserFile)
        userText = ReadUserConfiguration();
    return LoadConfiguration(factory, applicationName, builtInText, errors, userText);
}

}  // namespace scrivlog
