// The simple layout with a header "<begin>\n" and a footer "<end>\n", to see where an
// appender writes them.
#pragma once

#include "logging/core/CSimpleLayout.h"

namespace testsupport {

class FramingLayout : public scrivlog::CSimpleLayout {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view) override {
        text = "<begin>\n";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "<end>\n";
        return true;
    }
};

}  // namespace testsupport
