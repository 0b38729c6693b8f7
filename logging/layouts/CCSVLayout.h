// The pattern layout with a fixed header line (typically the column titles), written
// when the appender opens its sink. Separators are whatever the pattern holds between
// its conversions; nothing is quoted.
#pragma once

#include "logging/layouts/CPatternLayout.h"

namespace scrivlog {

class CCSVLayout : public CPatternLayout {
  public:
    const char* GetClassName() const override;
    // "ConversionPattern" as the pattern layout, and "Header".
    bool SetParam(std::string_view name, std::string_view value) override;
    // The pattern and the header.
    std::string GetParam(std::string_view name) const override;
    // The header and "\r\n"; no header (false, text untouched) while it is empty.
    bool FormatHeader(std::string& text, std::string_view appenderClassName,
                      std::string_view appenderName) override;

    std::string Header;
};

}  // namespace scrivlog
