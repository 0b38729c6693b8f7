#include "shellext/MenuCommands.h"

#include <cstdio>

#include "platform/shell/FileTimeConversion.h"
#include "platform/shell/ShellServices.h"
#include "shellext/CChooseDateTimeDlg.h"
#include "shellext/Module.h"
#include "shellext/PathText.h"

namespace tamarack {

using platform::shell::Services;
using platform::shell::ShellServices;

namespace {

// Closes an open file when it goes out of scope.
class OpenFile {
  public:
    OpenFile(ShellServices& services, platform::shell::FileHandle file)
        : m_services(services), m_file(file) {}
    ~OpenFile() {
        if (m_file)
            m_services.CloseFile(m_file);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    platform::shell::FileHandle Get() const { return m_file; }

  private:
    ShellServices& m_services;
    platform::shell::FileHandle m_file;
};

int Fail(std::string* errorText, const char* step, uint32_t code) {
    if (errorText)
        *errorText = std::string(step) + ": " + SystemErrorText(code);
    return 0;
}

}  // namespace

std::string SystemErrorText(uint32_t code) {
    std::string text;
    if (Services().SystemErrorMessage(code, text)) {
        // Only the line break that ends the system's messages goes, not a real character.
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
    }
    if (text.empty()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "Error code %u", static_cast<unsigned>(code));
        text = buffer;
    }
    return text;
}

int TouchFile(const char* path, std::string* errorText, const platform::DateTime* explicitUtc) {
    ShellServices& services = Services();
    OpenFile file(services, services.OpenForWriting(path));
    if (!file.Get())
        return Fail(errorText, "Open", services.LastError());
    platform::shell::FileTimes times;
    if (!services.GetFileTimes(file.Get(), times))
        return Fail(errorText, "GetFileTime", services.LastError());
    platform::shell::FileTime stamp = 0;
    if (explicitUtc) {
        if (!platform::shell::FileTimeFromDateTime(*explicitUtc, stamp))
            return Fail(errorText, "SystemTimeToFileTime", 87);  // invalid parameter
        times.lastWrite = stamp;
    } else {
        platform::shell::FileTimeFromDateTime(platform::UtcTime(), stamp);
        times.creation = times.lastAccess = times.lastWrite = stamp;
    }
    if (!services.SetFileTimes(file.Get(), times))
        return Fail(errorText, "SetFileTime", services.LastError());
    return 1;
}

bool IsWindowsNT() {
    return Services().IsWindowsNT();
}

std::string CommandInterpreterPath() {
    ShellServices& services = Services();
    if (IsWindowsNT())
        return services.SystemDirectory() + "\\cmd.exe";
    return services.WindowsDirectory() + "\\command.com";
}

void OpenShellIn(const std::string& directory) {
    Services().StartProgram(CommandInterpreterPath().c_str(), directory.c_str(), 1);
}

void CopyToClipboard(const std::string& text) {
    Services().SetClipboardText(text.c_str());
}

std::string SelectedPathClipboardText(const std::string& path) {
    ShellServices& services = Services();
    return ClipboardTextOf(path, services.IsKeyDown(0x11), services.IsKeyDown(0x10));
}

void TouchAndReport(const std::vector<std::string>& paths, const platform::DateTime* explicitUtc) {
    std::string error;
    for (const std::string& path : paths) {
        if (TouchFile(path.c_str(), &error, explicitUtc))
            continue;
        std::string message = "Unable to touch file '" + path + "' (" + error + ").";
        Services().ShowMessageBox(message.c_str(), "Tamarack", 0x10);
    }
}

bool ChooseTime(const platform::DateTime& preselectedLocal, platform::DateTime& chosenUtc) {
    CChooseDateTimeDlg dialog(preselectedLocal);
    if (!dialog.DoModal())
        return false;
    return Services().LocalToUtc(dialog.Chosen(), chosenUtc);
}

platform::DateTime LastWriteLocalTime(const std::string& path) {
    ShellServices& services = Services();
    platform::shell::FileTime lastWrite = 0;
    platform::DateTime local;
    if (services.GetLastWriteTime(path.c_str(), lastWrite) &&
        services.UtcToLocal(platform::shell::DateTimeFromFileTime(lastWrite), local))
        return local;
    return platform::LocalTime();
}

}  // namespace tamarack
