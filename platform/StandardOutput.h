// The process's standard output stream.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Writes `text` up to its first zero byte through the C library's buffered stdout,
// exactly as printf("%s", text) would.
void WriteStandardOutput(std::string_view text);

// Writes `size` bytes (at least one) through the C library's buffered stdout: without
// raising SIGPIPE on POSIX, in binary on Windows.
void WriteStandardOutputBytes(const char* data, size_t size);

}  // namespace platform
