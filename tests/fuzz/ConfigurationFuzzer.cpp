// Feeds arbitrary bytes to the configuration parser, the configurator and the build
// pass, alone and after the compiled-in configuration, as the module would load a
// user's file. Nothing is started, so no file or socket is opened.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"
#include "logging/config/XmlParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    scrivlog::XmlParseSettings settings;
    scrivlog::XmlNode node;
    if (auto end = scrivlog::Load(node, text, settings)) {
        if (*end > text.size())
            __builtin_trap();
    }

    scrivlog::CLogFactory factory;
    std::string errors;
    scrivlog::LoadConfiguration(factory, "Fuzz", scrivlog::DefaultConfigurationText, errors, text);
    scrivlog::CLogFactory alone;
    scrivlog::LoadConfiguration(alone, "Fuzz", text, errors, {});
    return 0;
}
