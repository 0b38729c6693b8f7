#include "platform/shell/Win32ShellServices.h"

#include <cstring>

#include <shellapi.h>

#include "platform/win32/SystemTime.h"

namespace platform::shell {
namespace {

FileTime FromFiletime(const FILETIME& time) {
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME ToFiletime(FileTime time) {
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
    result.dwHighDateTime = static_cast<DWORD>(time >> 32);
    return result;
}

// The dialog's lists, reached through the dialog window.
class Win32DialogControls : public DialogControls {
  public:
    explicit Win32DialogControls(HWND dialog) : m_dialog(dialog) {}
    void AppendListItem(int controlId, const char* text) override {
        // Inserting at the end keeps the order given, also in a list with CBS_SORT.
        SendDlgItemMessageA(m_dialog, controlId, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(text));
    }
    void SelectListItem(int controlId, int index) override {
        SendDlgItemMessageA(m_dialog, controlId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    int SelectedListItem(int controlId) override {
        LRESULT selected = SendDlgItemMessageA(m_dialog, controlId, CB_GETCURSEL, 0, 0);
        return selected == CB_ERR ? -1 : static_cast<int>(selected);
    }

  private:
    HWND m_dialog;
};

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG: {
                SetWindowLongPtrA(dialog, DWLP_USER, lParam);
                Win32DialogControls controls(dialog);
                reinterpret_cast<DialogHandler*>(lParam)->OnInitDialog(controls);
                return TRUE;
            }
            case WM_COMMAND: {
                int command = LOWORD(wParam);
                if (command == IDOK) {
                    auto* handler =
                        reinterpret_cast<DialogHandler*>(GetWindowLongPtrA(dialog, DWLP_USER));
                    Win32DialogControls controls(dialog);
                    if (handler)
                        handler->OnOk(controls);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                if (command == IDCANCEL) {
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            }
            default:
                return FALSE;
        }
    } catch (...) {
        // Nothing may escape into the system's dialog loop.
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
}

}  // namespace

UINT Win32ShellServices::QueryDropFile(HGLOBAL drop, UINT index, char* buffer, UINT size) {
    return DragQueryFileA(static_cast<HDROP>(drop), index, buffer, size);
}

void Win32ShellServices::ReleaseMedium(STGMEDIUM* medium) {
    ::ReleaseStgMedium(medium);
}

DWORD Win32ShellServices::FileAttributes(const char* path) {
    return GetFileAttributesA(path);
}

bool Win32ShellServices::InsertMenuEntry(HMENU menu, UINT position, UINT flags, UINT_PTR id,
                                         const char* text) {
    return InsertMenuA(menu, position, flags, id, text) != FALSE;
}

bool Win32ShellServices::SetMenuEntryBitmaps(HMENU menu, UINT position, UINT flags,
                                             HBITMAP unchecked, HBITMAP checked) {
    return ::SetMenuItemBitmaps(menu, position, flags, unchecked, checked) != FALSE;
}

bool Win32ShellServices::IsKeyDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32ShellServices::SetClipboardText(const char* text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    size_t size = std::strlen(text) + 1;
    bool placed = false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (memory) {
        void* target = GlobalLock(memory);
        if (target) {
            std::memcpy(target, text, size);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        // The clipboard owns the memory only once it has taken it.
        if (!placed)
            GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

int Win32ShellServices::ShowMessageBox(const char* text, const char* caption, UINT style) {
    return MessageBoxA(nullptr, text, caption, style);
}

void Win32ShellServices::StartProgram(const char* file, const char* directory, int show) {
    ShellExecuteA(nullptr, nullptr, file, nullptr, directory, show);
}

int Win32ShellServices::ShowModalDialog(HINSTANCE module, int templateId, DialogHandler& handler) {
    INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), nullptr, DialogProcedure,
                                     reinterpret_cast<LPARAM>(&handler));
    return result == IDOK || result == IDCANCEL ? static_cast<int>(result) : -1;
}

bool Win32ShellServices::IsWindowsNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string Win32ShellServices::SystemDirectory() {
    char buffer[MAX_PATH];
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string Win32ShellServices::WindowsDirectory() {
    char buffer[MAX_PATH];
    UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

bool Win32ShellServices::SystemErrorMessage(uint32_t code, std::string& text) {
    char* message = nullptr;
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                       LANG_USER_DEFAULT, reinterpret_cast<char*>(&message), 0, nullptr);
    bool found = length > 0 && message;
    if (found)
        text.assign(message, length);
    if (message)
        LocalFree(message);
    return found;
}

uint32_t Win32ShellServices::LastError() {
    return GetLastError();
}

bool Win32ShellServices::LocalToUtc(const DateTime& local, DateTime& utc) {
    SYSTEMTIME in = ToSystemTime(local), out{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &in, &out))
        return false;
    utc = FromSystemTime(out);
    return true;
}

bool Win32ShellServices::UtcToLocal(const DateTime& utc, DateTime& local) {
    SYSTEMTIME in = ToSystemTime(utc), out{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &in, &out))
        return false;
    local = FromSystemTime(out);
    return true;
}

FileHandle Win32ShellServices::OpenForWriting(const char* path) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool Win32ShellServices::GetFileTimes(FileHandle file, FileTimes& times) {
    FILETIME creation, access, write;
    if (!GetFileTime(static_cast<HANDLE>(file), &creation, &access, &write))
        return false;
    times.creation = FromFiletime(creation);
    times.lastAccess = FromFiletime(access);
    times.lastWrite = FromFiletime(write);
    return true;
}

bool Win32ShellServices::SetFileTimes(FileHandle file, const FileTimes& times) {
    FILETIME creation = ToFiletime(times.creation), access = ToFiletime(times.lastAccess),
             write = ToFiletime(times.lastWrite);
    return SetFileTime(static_cast<HANDLE>(file), &creation, &access, &write) != FALSE;
}

void Win32ShellServices::CloseFile(FileHandle file) {
    CloseHandle(static_cast<HANDLE>(file));
}

bool Win32ShellServices::GetLastWriteTime(const char* path, FileTime& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    time = FromFiletime(data.ftLastWriteTime);
    return true;
}

long Win32ShellServices::CreateKey(HKEY root, const char* subKey, HKEY* key) {
    return RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                           key, nullptr);
}

long Win32ShellServices::SetStringValue(HKEY key, const char* valueName, const char* data) {
    return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                          static_cast<DWORD>(std::strlen(data) + 1));
}

void Win32ShellServices::CloseKey(HKEY key) {
    RegCloseKey(key);
}

long Win32ShellServices::DeleteKey(HKEY root, const char* subKey) {
    return RegDeleteKeyA(root, subKey);
}

std::string Win32ShellServices::ModuleFileName(HINSTANCE module) {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH);
    // A cut name (length == MAX_PATH) would register a path that does not exist.
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

HBITMAP Win32ShellServices::LoadBitmapResource(HINSTANCE module, int resourceId) {
    return LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
}

void Win32ShellServices::DeleteBitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}

}  // namespace platform::shell
