#pragma once

#include <string>
#include <vector>

#include "logging/config/CNodeParam.h"
#include "logging/core/Level.h"

namespace scrivlog {

// What the configuration says about one appender and its layout.
struct CAppenderConfiguration {
    std::string Name;
    std::string Class;
    Level Threshold = Levels::NotSet;
    std::string LayoutClass;  // empty: no layout
    std::vector<CNodeParam> LayoutParameters;
    std::vector<CNodeParam> Parameters;
};

}  // namespace scrivlog
