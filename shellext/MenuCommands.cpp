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

constexpr uint32_t InvalidParameter = 87;

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

void ReportFailure(const std::string& message) {
    Services().ShowMessageBox(message.c_str(), "Tamarack", 0x10);
}

void ReportTouchFailure(const std::string& path, const std::string& error) {
    ReportFailure("Unable to touch file '" + path + "' (" + error + ").");
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

int TouchFile(const char* path, std::string* errorText,
              const platform::shell::FileTime* explicitLastWrite) {
    ShellServices& services = Services();
    OpenFile file(services, services.OpenForWriting(path));
    if (!file.Get())
        return Fail(errorText, "Open", services.LastError());
    platform::shell::FileTimes times;
    if (!services.GetFileTimes(file.Get(), times))
        return Fail(errorText, "GetFileTime", services.LastError());
    if (explicitLastWrite) {
        times.lastWrite = *explicitLastWrite;
    } else {
        platform::shell::FileTime stamp = 0;
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
    ShellServices& services = Services();
    if (!services.StartProgram(CommandInterpreterPath().c_str(), directory.c_str(), 1))
        ReportFailure("Unable to open a shell in '" + directory + "' (" +
                      SystemErrorText(services.LastError()) + ").");
}

void CopyToClipboard(const std::string& text) {
    Services().SetClipboardText(text.c_str());
}

std::string SelectedPathClipboardText(const std::string& path) {
    ShellServices& services = Services();
    return ClipboardTextOf(path, services.IsKeyDown(0x11), services.IsKeyDown(0x10));
}

void TouchAndReport(const std::vector<std::string>& paths,
                    const platform::shell::FileTime* explicitLastWrite) {
    std::string error;
    for (const std::string& path : paths)
        if (!TouchFile(path.c_str(), &error, explicitLastWrite))
            ReportTouchFailure(path, error);
}

void TouchWithDialog(const std::vector<std::string>& paths, bool preselectFileTime) {
    ShellServices& services = Services();
    platform::shell::FileTime original = 0;
    platform::DateTime preselected;
    bool fileTime =
        preselectFileTime && !paths.empty() &&
        services.GetLastWriteTime(paths.front().c_str(), original) &&
        services.UtcToLocal(platform::shell::DateTimeFromFileTime(original), preselected);
    if (!fileTime)
        preselected = platform::LocalTime();
    CChooseDateTimeDlg dialog(preselected);
    if (!dialog.DoModal())
        return;
    // The dialog shows whole seconds, and a local time can name two moments when the
    // clocks go back: unchanged values stand for the file's own time, not a conversion.
    platform::shell::FileTime chosen = original;
    platform::DateTime utc;
    if (!(fileTime && dialog.Unchanged()) &&
        !(services.LocalToUtc(dialog.Chosen(), utc) &&
          platform::shell::FileTimeFromDateTime(utc, chosen))) {
        for (const std::string& path : paths)
            ReportTouchFailure(path, "SystemTimeToFileTime: " + SystemErrorText(InvalidParameter));
        return;
    }
    TouchAndReport(paths, &chosen);
}

}  // namespace tamarack
