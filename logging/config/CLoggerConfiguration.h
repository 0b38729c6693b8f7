#pragma once

#include <string>
#include <vector>

#include "logging/core/Level.h"

namespace scrivlog {

// What the configuration says about one logger ("root" for the root logger).
struct CLoggerConfiguration {
    std::string Name;
    Level Priority = Levels::Info;
    std::vector<std::string> AppenderReferences;
    bool Additivity = true;
};

}  // namespace scrivlog
