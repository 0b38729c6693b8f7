#include "platform/shell/ShellServices.h"

#ifdef _WIN32
#include "platform/shell/Win32ShellServices.h"
#else
#include "platform/shell/StandInShellServices.h"
#endif

namespace platform::shell {
namespace {

ShellServices* g_installed = nullptr;

ShellServices& DefaultServices() {
#ifdef _WIN32
    static Win32ShellServices services;
#else
    static StandInShellServices services;
#endif
    return services;
}

}  // namespace

ShellServices& Services() {
    return g_installed ? *g_installed : DefaultServices();
}

ShellServices* SetServices(ShellServices* services) {
    ShellServices* previous = g_installed;
    g_installed = services;
    return previous;
}

}  // namespace platform::shell
