#include "logging/core/CSimpleLayout.h"

#include "logging/core/SystemUtilities.h"

namespace scrivlog {

const char* CSimpleLayout::GetClassName() const {
    return "SimpleLayout";
}

bool CSimpleLayout::Format(const CLoggingEvent& event, std::string& text) {
    text.assign(LevelToString(event.Level));
    text += " - ";
    text += event.Message.view();
    text += LineSeparator();
    return true;
}

}  // namespace scrivlog
