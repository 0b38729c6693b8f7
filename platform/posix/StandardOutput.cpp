#include "platform/StandardOutput.h"

#include <pthread.h>
#include <signal.h>
#include <stdio_ext.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace platform {

void WriteStandardOutput(std::string_view text) {
    const void* zero = std::memchr(text.data(), 0, text.size());
    size_t length =
        zero ? static_cast<size_t>(static_cast<const char*>(zero) - text.data()) : text.size();
    if (length == 0)
        return;
    // While the text only fills the stream's buffer nothing is written, so nothing can
    // raise SIGPIPE.
    const size_t buffer = __fbufsize(stdout);
    if (buffer != 0 && !__flbf(stdout) && __fpending(stdout) + length < buffer) {
        std::fwrite(text.data(), 1, length, stdout);
        return;
    }
    // A pipe whose reader has gone raises SIGPIPE, which would end the host: block it in
    // this thread for the write and consume the one the write raised, leaving the
    // process's handling of the signal as it was.
    sigset_t pipe, previous;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &previous);
    std::fwrite(text.data(), 1, length, stdout);
    if (!sigismember(&previous, SIGPIPE)) {
        sigset_t pending;
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE)) {
            timespec none{};
            sigtimedwait(&pipe, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
}

}  // namespace platform
