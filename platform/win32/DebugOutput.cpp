#include "platform/DebugOutput.h"

#include <windows.h>

#include <string>

namespace platform {

void WriteDebugOutput(std::string_view text) {
    // Short texts are terminated on the stack; longer ones need a copy.
    char small[512];
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        OutputDebugStringA(small);
        return;
    }
    std::string copy(text);
    OutputDebugStringA(copy.c_str());
}

}  // namespace platform
