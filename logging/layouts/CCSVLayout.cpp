#include "logging/layouts/CCSVLayout.h"

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"

namespace scrivlog {

const char* CCSVLayout::GetClassName() const {
    return "CSVLayout";
}

bool CCSVLayout::SetParam(std::string_view name, std::string_view value) {
    if (CPatternLayout::SetParam(name, value))
        return true;
    if (!EqualsIgnoreCase(name, "Header"))
        return false;
    Header.assign(value);
    return true;
}

std::string CCSVLayout::GetParam(std::string_view name) const {
    if (EqualsIgnoreCase(name, "Header"))
        return Header;
    return CPatternLayout::GetParam(name);
}

bool CCSVLayout::FormatHeader(std::string& text, std::string_view, std::string_view) {
    if (Header.empty())
        return false;
    text.assign(Header);
    text += LineSeparator();
    return true;
}

}  // namespace scrivlog
