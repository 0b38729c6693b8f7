// The process's standard output stream.
#pragma once

#include <string_view>

namespace platform {

// Writes `text` up to its first zero byte through the C library's buffered stdout,
// exactly as printf("%s", text) would.
void WriteStandardOutput(std::string_view text);

}  // namespace platform
