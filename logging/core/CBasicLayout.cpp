#include "logging/core/CBasicLayout.h"

#include "logging/core/SystemUtilities.h"

namespace scrivlog {

const char* CBasicLayout::GetClassName() const {
    return "BasicLayout";
}

bool CBasicLayout::Format(const CLoggingEvent& event, std::string& text) {
    text.assign(event.Message.view());
    text += LineSeparator();
    return true;
}

}  // namespace scrivlog
