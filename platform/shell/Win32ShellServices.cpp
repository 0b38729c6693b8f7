#include "platform/shell/Win32ShellServices.h"

#include <algorithm>
#include <cstring>

#include <shellapi.h>

#include "platform/WideText.h"
#include "platform/win32/SystemTime.h"

namespace platform::shell {
namespace {

// The longest path the wide calls take (in UTF-16 units, terminator included).
constexpr DWORD LongestPath = 32768;

// A text of the system's that a call writes into a buffer: asked again with the size it
// names when the first buffer was too small.
template <class Call>
std::string SystemText(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = call(&buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= LongestPath)
            return std::string();
        buffer.assign(std::min<DWORD>(LongestPath, std::max<DWORD>(length + 1, 2 * buffer.size())),
                      L'\0');
    }
}

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

UINT Win32ShellServices::DropFileCount(HGLOBAL drop) {
    return DragQueryFileW(static_cast<HDROP>(drop), 0xFFFFFFFFu, nullptr, 0);
}

bool Win32ShellServices::DropFilePath(HGLOBAL drop, UINT index, std::string& path) {
    auto handle = static_cast<HDROP>(drop);
    UINT length = DragQueryFileW(handle, index, nullptr, 0);
    if (length == 0)
        return false;
    std::wstring wide(length + 1, L'\0');
    UINT copied = DragQueryFileW(handle, index, &wide[0], length + 1);
    if (copied != length)
        return false;
    wide.resize(length);
    path = Utf8FromWide(wide);
    return true;
}

void Win32ShellServices::ReleaseMedium(STGMEDIUM* medium) {
    ::ReleaseStgMedium(medium);
}

DWORD Win32ShellServices::FileAttributes(const char* path) {
    return GetFileAttributesW(WideFilePath(path).c_str());
}

bool Win32ShellServices::InsertMenuEntry(HMENU menu, UINT position, UINT flags, UINT_PTR id,
                                         const char* text) {
    if (!text || (flags & MF_SEPARATOR))
        return InsertMenuW(menu, position, flags, id, nullptr) != FALSE;
    return InsertMenuW(menu, position, flags, id, WideFromUtf8(text).c_str()) != FALSE;
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
    std::wstring wide = WideFromUtf8(text);
    size_t size = (wide.size() + 1) * sizeof(wchar_t);
    bool placed = false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (memory) {
        void* target = GlobalLock(memory);
        if (target) {
            std::memcpy(target, wide.c_str(), size);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        // The clipboard owns the memory only once it has taken it.
        if (!placed)
            GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

int Win32ShellServices::ShowMessageBox(const char* text, const char* caption, UINT style) {
    return MessageBoxW(nullptr, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(), style);
}

bool Win32ShellServices::StartProgram(const char* file, const char* directory, int show) {
    std::wstring start = WideFromUtf8(directory);
    // A process cannot start in a longer directory (and Wine's ShellExecuteW overruns
    // its stack on one): the same directory by its short name, if that fits.
    if (start.size() >= MAX_PATH) {
        // Room for the long-path prefix, which goes.
        wchar_t shortForm[MAX_PATH + 8];
        DWORD length = GetShortPathNameW(WideFilePath(directory).c_str(), shortForm, MAX_PATH + 8);
        std::wstring_view bare(shortForm, length < MAX_PATH + 8 ? length : 0);
        if (bare.rfind(L"\\\\?\\UNC\\", 0) == 0)
            start = L"\\" + std::wstring(bare.substr(7));
        else if (bare.rfind(L"\\\\?\\", 0) == 0)
            start = bare.substr(4);
        else
            start = bare;
        if (start.empty() || start.size() >= MAX_PATH) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return false;
        }
    }
    ShellExecuteW(nullptr, nullptr, WideFromUtf8(file).c_str(), nullptr, start.c_str(), show);
    return true;
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
    return SystemText(
        [](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

std::string Win32ShellServices::WindowsDirectory() {
    return SystemText(
        [](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); });
}

bool Win32ShellServices::SystemErrorMessage(uint32_t code, std::string& text) {
    wchar_t* message = nullptr;
    DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                       LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    bool found = length > 0 && message;
    if (found)
        text = Utf8FromWide(std::wstring_view(message, length));
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
    HANDLE file = CreateFileW(WideFilePath(path).c_str(), GENERIC_WRITE, 0, &inheritable,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (!GetFileAttributesExW(WideFilePath(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    time = FromFiletime(data.ftLastWriteTime);
    return true;
}

long Win32ShellServices::CreateKey(HKEY root, const char* subKey, HKEY* key) {
    return RegCreateKeyExW(root, WideFromUtf8(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_WRITE, nullptr, key, nullptr);
}

long Win32ShellServices::SetStringValue(HKEY key, const char* valueName, const char* data) {
    std::wstring wide = WideFromUtf8(data);
    return RegSetValueExW(key, valueName ? WideFromUtf8(valueName).c_str() : nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void Win32ShellServices::CloseKey(HKEY key) {
    RegCloseKey(key);
}

long Win32ShellServices::DeleteKey(HKEY root, const char* subKey) {
    return RegDeleteKeyW(root, WideFromUtf8(subKey).c_str());
}

std::string Win32ShellServices::ModuleFileName(HINSTANCE module) {
    // A cut name (the whole buffer filled) would register a path that does not exist:
    // SystemText asks again with a larger buffer, up to the longest path there is.
    return SystemText(
        [module](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(module, buffer, size); });
}

HBITMAP Win32ShellServices::LoadBitmapResource(HINSTANCE module, int resourceId) {
    return LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
}

void Win32ShellServices::DeleteBitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}

}  // namespace platform::shell
