#include "tools/tamarack-host/ExtensionClient.h"

#include <algorithm>
#include <cstring>

#include "platform/WideText.h"
#include "tools/tamarack-host/HostDataObject.h"

namespace tamarackhost {
namespace {

// Which of the extension's bitmaps `bitmap` shows, by comparing pixels.
const char* BitmapName(HBITMAP bitmap) {
    HMODULE module = GetModuleHandleA("tamarack.dll");
    static const char* const names[] = {"shell", "clipboard", "touch"};
    unsigned char shown[2048], known[2048];
    LONG shownSize = GetBitmapBits(bitmap, sizeof shown, shown);
    for (int i = 0; module && i < 3; ++i) {
        HBITMAP candidate = LoadBitmapA(module, MAKEINTRESOURCEA(101 + i));
        LONG knownSize = candidate ? GetBitmapBits(candidate, sizeof known, known) : 0;
        bool same = knownSize == shownSize && std::memcmp(known, shown, knownSize) == 0;
        if (candidate)
            DeleteObject(candidate);
        if (same && shownSize > 0)
            return names[i];
    }
    return "other";
}

}  // namespace

const CLSID TamarackClass = {
    0x7D3A5C21, 0x94E8, 0x4B6F, {0xA1, 0xC2, 0x5E, 0x8F, 0x0D, 0x4B, 0x9A, 0x63}};

IContextMenu* CreateHandler(const std::vector<std::string>& paths, HRESULT& result) {
    IShellExtInit* init = nullptr;
    result = CoCreateInstance(TamarackClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                              reinterpret_cast<void**>(&init));
    if (FAILED(result))
        return nullptr;
    auto* data = new HostDataObject(paths);
    result = init->Initialize(nullptr, data, nullptr);
    data->Release();
    IContextMenu* menu = nullptr;
    if (SUCCEEDED(result))
        result = init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
    init->Release();
    return SUCCEEDED(result) ? menu : nullptr;
}

HRESULT InvokeOffset(IContextMenu* handler, int offset) {
    CMINVOKECOMMANDINFO invocation{};
    invocation.cbSize = sizeof invocation;
    invocation.lpVerb = MAKEINTRESOURCEA(offset);
    invocation.nShow = SW_SHOWNORMAL;
    return handler->InvokeCommand(&invocation);
}

std::vector<MenuEntry> ReadMenu(HMENU menu) {
    std::vector<MenuEntry> entries;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_CHECKMARKS;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        std::wstring text(1024, L'\0');
        text.resize(static_cast<size_t>(
            std::max(0, GetMenuStringW(menu, static_cast<UINT>(position), &text[0],
                                       static_cast<int>(text.size()), MF_BYPOSITION))));
        MenuEntry entry;
        entry.separator = (item.fType & MFT_SEPARATOR) != 0;
        entry.id = item.wID;
        entry.text = platform::Utf8FromWide(text);
        // The shell shows the unchecked bitmap; the extension sets both to the same one.
        if (item.hbmpUnchecked)
            entry.bitmap =
                item.hbmpUnchecked == item.hbmpChecked ? BitmapName(item.hbmpUnchecked) : "other";
        entries.push_back(entry);
    }
    return entries;
}

void PressKeys(bool control, bool shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

bool ReadClipboardText(std::string& text) {
    if (!OpenClipboard(nullptr))
        return false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* locked = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (locked) {
        text = platform::Utf8FromWide(locked);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return locked != nullptr;
}

bool ReadFileTimes(const char* path, FILETIME times[3]) {
    HANDLE file = CreateFileW(platform::WideFilePath(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool read = GetFileTime(file, &times[0], &times[1], &times[2]);
    CloseHandle(file);
    return read;
}

}  // namespace tamarackhost
