// tamarack-host: drives the registered shell extension the way the file manager does,
// through COM: CoCreateInstance of the registered class, Initialize with a data object
// holding the paths, QueryContextMenu into a real popup menu, InvokeCommand.
//
//   tamarack-host [--ctrl] [--shift] [--flags N] menu PATH...
//   tamarack-host [--ctrl] [--shift] invoke OFFSET PATH...
//   tamarack-host clipboard      prints the clipboard's text
//   tamarack-host times PATH     prints a file's creation, last-access and last-write times
//
// Paths may have any characters and length; what it prints is UTF-8.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/WideText.h"
#include "platform/shell/ComTypes.h"

#include <shellapi.h>
#include "tools/tamarack-host/ExtensionClient.h"

namespace {

constexpr UINT FirstCommandId = 1;

int Usage() {
    std::fprintf(stderr,
                 "usage: tamarack-host [--ctrl] [--shift] [--flags N] menu PATH...\n"
                 "       tamarack-host [--ctrl] [--shift] invoke OFFSET PATH...\n"
                 "       tamarack-host clipboard\n"
                 "       tamarack-host times PATH\n");
    return 2;
}

// A relative path made full; a full one is kept exactly (the system's clean-up would
// drop a trailing dot or space and so name another file).
std::string FullPath(const std::string& path) {
    if (path.rfind("\\\\", 0) == 0 || (path.size() >= 3 && path[1] == ':' && path[2] == '\\'))
        return path;
    std::wstring buffer(32768, L'\0');
    DWORD length = GetFullPathNameW(platform::WideFromUtf8(path).c_str(),
                                    static_cast<DWORD>(buffer.size()), &buffer[0], nullptr);
    return length > 0 && length < buffer.size()
               ? platform::Utf8FromWide(std::wstring_view(buffer.data(), length))
               : path;
}

void PrintMenu(HMENU menu) {
    std::vector<tamarackhost::MenuEntry> entries = tamarackhost::ReadMenu(menu);
    for (size_t position = 0; position < entries.size(); ++position) {
        const tamarackhost::MenuEntry& entry = entries[position];
        if (entry.separator) {
            std::printf("  %2d  ----------\n", static_cast<int>(position));
            continue;
        }
        std::printf("  %2d  id %-3u %s", static_cast<int>(position), entry.id, entry.text.c_str());
        if (!entry.bitmap.empty())
            std::printf("  [bitmap: %s]", entry.bitmap.c_str());
        std::printf("\n");
    }
}

// A handler of the registered class, initialised with `paths`; null after a message.
IContextMenu* CreateHandler(const std::vector<std::string>& paths) {
    HRESULT result = S_OK;
    IContextMenu* handler = tamarackhost::CreateHandler(paths, result);
    if (!handler)
        std::fprintf(stderr,
                     "tamarack-host: creating the handler failed (0x%08lX): is it registered?\n",
                     static_cast<unsigned long>(result));
    return handler;
}

int ShowClipboard() {
    std::string text;
    bool read = tamarackhost::ReadClipboardText(text);
    std::printf("%s\n", read ? text.c_str() : "(no text)");
    return read ? 0 : 1;
}

void PrintTime(const char* label, const FILETIME& time) {
    SYSTEMTIME utc;
    FileTimeToSystemTime(&time, &utc);
    std::printf("  %-12s %04u-%02u-%02u %02u:%02u:%02u.%03u UTC\n", label, utc.wYear, utc.wMonth,
                utc.wDay, utc.wHour, utc.wMinute, utc.wSecond, utc.wMilliseconds);
}

int ShowTimes(const char* path) {
    FILETIME times[3];
    if (!tamarackhost::ReadFileTimes(path, times))
        return 1;
    PrintTime("created", times[0]);
    PrintTime("accessed", times[1]);
    PrintTime("written", times[2]);
    return 0;
}

int Run(int argc, const std::vector<std::string>& argv) {
    bool control = false, shift = false;
    UINT flags = CMF_NORMAL;
    int next = 1;
    for (; next < argc && argv[next].rfind("--", 0) == 0; ++next) {
        if (argv[next] == "--ctrl")
            control = true;
        else if (argv[next] == "--shift")
            shift = true;
        else if (argv[next] == "--flags" && next + 1 < argc)
            flags = static_cast<UINT>(std::strtoul(argv[++next].c_str(), nullptr, 0));
        else
            return Usage();
    }
    if (next >= argc)
        return Usage();
    std::string command = argv[next++];
    if (command == "clipboard")
        return ShowClipboard();
    if (command == "times")
        return next < argc ? ShowTimes(argv[next].c_str()) : Usage();

    int offset = -1;
    if (command == "invoke") {
        if (next >= argc)
            return Usage();
        offset = std::atoi(argv[next++].c_str());
    } else if (command != "menu") {
        return Usage();
    }
    std::vector<std::string> paths;
    for (; next < argc; ++next)
        paths.push_back(FullPath(argv[next]));
    if (paths.empty())
        return Usage();

    IContextMenu* handler = CreateHandler(paths);
    if (!handler)
        return 1;
    HMENU menu = CreatePopupMenu();
    HRESULT result = handler->QueryContextMenu(menu, 0, FirstCommandId, 0x7FFF, flags);
    if (offset < 0) {
        std::printf("QueryContextMenu returned %ld\n", static_cast<long>(HRESULT_CODE(result)));
        PrintMenu(menu);
    } else {
        tamarackhost::PressKeys(control, shift);
        result = tamarackhost::InvokeOffset(handler, offset);
        std::printf("InvokeCommand(%d) returned 0x%08lX\n", offset,
                    static_cast<unsigned long>(result));
    }
    DestroyMenu(menu);
    handler->Release();
    return 0;
}

}  // namespace

int main() {
    // Paths come whole from the wide command line, and go out as UTF-8.
    int argc = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; wide && i < argc; ++i)
        argv.push_back(platform::Utf8FromWide(wide[i]));
    LocalFree(wide);
    SetConsoleOutputCP(CP_UTF8);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = Run(static_cast<int>(argv.size()), argv);
    CoUninitialize();
    return status;
}
