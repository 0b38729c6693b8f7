#include "platform/StandardOutput.h"

#include <cstring>

namespace platform {

void WriteStandardOutput(std::string_view text) {
    const void* zero = std::memchr(text.data(), 0, text.size());
    size_t length =
        zero ? static_cast<size_t>(static_cast<const char*>(zero) - text.data()) : text.size();
    if (length != 0)
        WriteStandardOutputBytes(text.data(), length);
}

}  // namespace platform
