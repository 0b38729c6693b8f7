#include "platform/StandardOutput.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

namespace platform {

void WriteStandardOutput(std::string_view text) {
    const void* zero = std::memchr(text.data(), 0, text.size());
    size_t length =
        zero ? static_cast<size_t>(static_cast<const char*>(zero) - text.data()) : text.size();
    if (length == 0)
        return;
    // The layouts make their own line ends: in text mode the run-time library would
    // turn their "\r\n" into "\r\r\n". Asked at every write, since a host may put another
    // stream in place of standard output. A process without one has no descriptor.
    const int descriptor = _fileno(stdout);
    if (descriptor >= 0)
        _setmode(descriptor, _O_BINARY);
    std::fwrite(text.data(), 1, length, stdout);
}

}  // namespace platform
