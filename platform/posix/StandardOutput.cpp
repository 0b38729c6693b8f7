#include "platform/StandardOutput.h"

#include <pthread.h>
#include <signal.h>
#include <stdio_ext.h>

#include <cstdio>
#include <ctime>

namespace platform {

void WriteStandardOutputBytes(const char* data, size_t length) {
    // While the text only fills the stream's buffer nothing is written, so nothing can
    // raise SIGPIPE.
    const size_t buffer = __fbufsize(stdout);
    if (buffer != 0 && !__flbf(stdout) && __fpending(stdout) + length < buffer) {
        std::fwrite(data, 1, length, stdout);
        return;
    }
    // A pipe whose reader has gone raises SIGPIPE, which would end the host: block it in
    // this thread for the write and consume the one the write raised, leaving the
    // process's handling of the signal as it was.
    sigset_t sigpipe, previous;
    sigemptyset(&sigpipe);
    sigaddset(&sigpipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &sigpipe, &previous);
    std::fwrite(data, 1, length, stdout);
    if (!sigismember(&previous, SIGPIPE)) {
        sigset_t pending;
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE)) {
            timespec none{};
            sigtimedwait(&sigpipe, nullptr, &none);
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
}

}  // namespace platform
