// Feeds arbitrary bytes to the configuration parser, the configurator and the build
// pass, alone and, when they read as a configuration, after the compiled-in one, as the
// module would load a user's file. (Merging a text that does not read only adds its
// error to the compiled-in build, which costs a whole load: most inputs skip it.)
// Nothing is started, so no file or socket is opened.
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

    std::string errors;
    scrivlog::CLogFactory alone;
    scrivlog::LoadConfiguration(alone, "Fuzz", text, errors, {});
    if (errors.rfind("unable to load configuration [XMLStream1]", 0) == 0)
        return 0;
    scrivlog::CLogFactory factory;
    scrivlog::LoadConfiguration(factory, "Fuzz", scrivlog::DefaultConfigurationText, errors, text);
    return 0;
}
