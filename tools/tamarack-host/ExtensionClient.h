// What a file manager does with the registered extension, shared by tamarack-host and the
// tests of the real DLL: create and initialise a handler through COM, run one of its
// commands, and the keyboard state, clipboard and file times around it. Paths and texts
// are UTF-8 here and UTF-16 towards the system, as the file manager's are.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/ComTypes.h"

namespace tamarackhost {

// {7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}, the class the extension registers.
extern const CLSID TamarackClass;

// One entry of a popup menu as the file manager shows it: a separator, or an id and a
// caption with the extension's bitmap that it shows ("shell", "clipboard", "touch",
// "other", or "" for none).
struct MenuEntry {
    bool separator = false;
    UINT id = 0;
    std::string text;
    std::string bitmap;
};

// A handler of the registered class initialised with `paths`, or null; `result` is the
// outcome of the first call that failed, or of the last one.
IContextMenu* CreateHandler(const std::vector<std::string>& paths, HRESULT& result);
// Runs the command at `offset` with a normal window, as the file manager does.
HRESULT InvokeOffset(IContextMenu* handler, int offset);
// The entries of `menu`, in order.
std::vector<MenuEntry> ReadMenu(HMENU menu);
// Sets or clears Ctrl and Shift in this thread's keyboard state.
void PressKeys(bool control, bool shift);
// The clipboard's Unicode text; false when it holds none.
bool ReadClipboardText(std::string& text);
// A file's or directory's creation, last-access and last-write times, in that order.
bool ReadFileTimes(const char* path, FILETIME times[3]);

}  // namespace tamarackhost
