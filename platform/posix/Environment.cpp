#include "platform/Environment.h"

#include <pthread.h>
#include <pwd.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {
namespace {

// The nearest POSIX meaning of a Windows variable that is not set.
bool PosixFallback(std::string_view name, std::string& value) {
    if (name == "TEMP" || name == "TMP") {
        const char* tmpdir = std::getenv("TMPDIR");
        value = (tmpdir && *tmpdir) ? tmpdir : "/tmp";
        return true;
    }
    if (name == "USERPROFILE") {
        const char* home = std::getenv("HOME");
        if (!home)
            return false;
        value = home;
        return true;
    }
    if (name == "COMPUTERNAME") {
        char host[256] = {};
        if (gethostname(host, sizeof host - 1) != 0)
            return false;
        value = host;
        return true;
    }
    if (name == "USERNAME") {
        if (const char* user = std::getenv("USER"); user && *user) {
            value = user;
            return true;
        }
        passwd entry{};
        passwd* found = nullptr;
        char buffer[1024];
        if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found)
            return false;
        value = found->pw_name;
        return true;
    }
    return false;
}

}  // namespace

bool GetEnvironmentValue(std::string_view name, std::string& value) {
    std::string key(name);
    if (const char* set = std::getenv(key.c_str())) {
        value = set;
        return true;
    }
    return PosixFallback(name, value);
}

std::string ExecutablePath() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path)
        return {};
    return std::string(path, static_cast<size_t>(length));
}

namespace {

// The calling thread's id, read once per thread (0: not read yet).
thread_local uint32_t cachedThreadId = 0;

}  // namespace

uint32_t CurrentThreadId() {
    // One system call per thread, not per log call. A child of fork() runs on a copy of
    // the forking thread, cache included, so the child forgets the parent's id.
    if (cachedThreadId == 0) {
        static const bool forgetInChild =
            pthread_atfork(nullptr, nullptr, [] { cachedThreadId = 0; }) == 0;
        (void)forgetInChild;
        cachedThreadId = static_cast<uint32_t>(syscall(SYS_gettid));
    }
    return cachedThreadId;
}

}  // namespace platform
