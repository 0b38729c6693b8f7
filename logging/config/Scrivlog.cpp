#include "logging/config/Scrivlog.h"

#include "logging/config/ConfigurationLoader.h"
#include "platform/Environment.h"

namespace scrivlog {
namespace {

// The program's name without directory and extension: it names the report file.
std::string ApplicationName() {
    std::string path = platform::ExecutablePath();
    size_t start = path.find_last_of("\\/");
    std::string name = path.substr(start == std::string::npos ? 0 : start + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name.empty() ? "Scrivlog" : name;
}

}  // namespace

bool Configure(std::string_view xmlText, std::string* errors) {
    std::string collected;
    bool loaded = LoadConfiguration(TheLogFactory, ApplicationName(), xmlText, collected, {});
    if (loaded) {
        std::string startErrors;
        if (!TheLogFactory.StartAllAppenders(startErrors))
            collected = startErrors;
    }
    if (errors)
        *errors = collected;
    return collected.empty();
}

bool ConfigureFromFile(std::string_view path, std::string* errors) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        if (errors)
            *errors = "unable to read configuration file '" + std::string(path) + "'";
        return false;
    }
    return Configure(text, errors);
}

void Shutdown() {
    std::string ignored;
    TheLogFactory.StopAllAppenders(ignored);
}

}  // namespace scrivlog
