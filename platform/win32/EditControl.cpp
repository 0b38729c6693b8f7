#include "platform/EditControl.h"

#include <windows.h>

namespace platform {
namespace {

HWND AsWindow(WindowHandle control) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(control));
}

}  // namespace

bool EditControlExists(WindowHandle control) {
    return control != 0 && IsWindow(AsWindow(control)) != FALSE;
}

bool EditControlIsReadOnly(WindowHandle control) {
    return (GetWindowLongA(AsWindow(control), GWL_STYLE) & ES_READONLY) != 0;
}

void SetEditControlReadOnly(WindowHandle control, bool readOnly) {
    SendMessageA(AsWindow(control), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void GetEditControlText(WindowHandle control, std::string& text) {
    HWND window = AsWindow(control);
    int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        text.clear();
        return;
    }
    text.resize(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
}

void SetEditControlText(WindowHandle control, const std::string& text) {
    SetWindowTextA(AsWindow(control), text.c_str());
}

int32_t EditControlLineCount(WindowHandle control) {
    return static_cast<int32_t>(SendMessageA(AsWindow(control), EM_GETLINECOUNT, 0, 0));
}

void ScrollEditControl(WindowHandle control, int32_t lines) {
    SendMessageA(AsWindow(control), EM_LINESCROLL, 0, lines);
}

int32_t EditControlFirstVisibleLine(WindowHandle control) {
    return static_cast<int32_t>(SendMessageA(AsWindow(control), EM_GETFIRSTVISIBLELINE, 0, 0));
}

WindowHandle CreateEditControl(int32_t visibleLines) {
    if (visibleLines < 1)
        visibleLines = 1;
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int lineHeight = 16;
    if (HDC screen = GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(screen, font);
        TEXTMETRICA metrics;
        if (GetTextMetricsA(screen, &metrics))
            lineHeight = metrics.tmHeight;
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
    }
    // A top-level control whose client area holds the lines; no word wrap, so that
    // lines are the text's own.
    DWORD style =
        WS_POPUP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    RECT frame = {0, 0, 400, lineHeight * visibleLines};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, "EDIT", "", style, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top + GetSystemMetrics(SM_CYHSCROLL),
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return 0;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Room for long logs: the default limit is about 32,000 characters.
    SendMessageA(window, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    return static_cast<WindowHandle>(reinterpret_cast<intptr_t>(window));
}

void DestroyEditControl(WindowHandle control) {
    if (EditControlExists(control))
        DestroyWindow(AsWindow(control));
}

}  // namespace platform
