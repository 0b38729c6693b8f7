#include "platform/StandardOutput.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace platform {

void WriteStandardOutputBytes(const char* data, size_t length) {
    // The layouts make their own line ends: in text mode the run-time library would
    // turn their "\r\n" into "\r\r\n". Asked at every write, since a host may put another
    // stream in place of standard output. A process without one has no descriptor.
    const int descriptor = _fileno(stdout);
    if (descriptor >= 0)
        _setmode(descriptor, _O_BINARY);
    std::fwrite(data, 1, length, stdout);
}

}  // namespace platform
