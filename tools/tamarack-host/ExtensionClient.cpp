#include "tools/tamarack-host/ExtensionClient.h"

#include <cstring>

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
        char text[512] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        MenuEntry entry;
        entry.separator = (item.fType & MFT_SEPARATOR) != 0;
        entry.id = item.wID;
        entry.text = text;
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
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return locked != nullptr;
}

bool ReadFileTimes(const char* path, FILETIME times[3]) {
    HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool read = GetFileTime(file, &times[0], &times[1], &times[2]);
    CloseHandle(file);
    return read;
}

}  // namespace tamarackhost
