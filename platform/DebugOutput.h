// The debugger output of the process: OutputDebugStringA on Windows, where an attached
// debugger or a debug-output viewer shows it; standard error on POSIX.
#pragma once

#include <string_view>

namespace platform {

// Passes `text` up to its first zero byte, unchanged (no line end is added).
void WriteDebugOutput(std::string_view text);

}  // namespace platform
