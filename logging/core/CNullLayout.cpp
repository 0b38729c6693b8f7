#include "logging/core/CNullLayout.h"

namespace scrivlog {

const char* CNullLayout::GetClassName() const {
    return "NullLayout";
}

bool CNullLayout::Format(const CLoggingEvent&, std::string&) {
    return true;
}

}  // namespace scrivlog
