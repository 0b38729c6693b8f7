#pragma once

#include <string>

namespace scrivlog {

// One parameter of an appender or a layout, as the configuration gives it.
struct CNodeParam {
    std::string Name;
    std::string Value;
};

}  // namespace scrivlog
