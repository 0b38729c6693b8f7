#include "platform/EditControl.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace platform {
namespace {

// The stand-in control: its text, its read-only switch and the first line of its view.
struct TextControl {
    std::string text;
    bool readOnly = false;
    int32_t visibleLines = 1;
    int32_t firstVisibleLine = 0;
};

std::mutex g_lock;
std::map<WindowHandle, std::unique_ptr<TextControl>>& Controls() {
    static auto* controls = new std::map<WindowHandle, std::unique_ptr<TextControl>>;
    return *controls;
}
WindowHandle g_nextHandle = 0x10010;  // never reused, so a destroyed handle stays invalid

TextControl* Find(WindowHandle control) {
    auto found = Controls().find(control);
    return found == Controls().end() ? nullptr : found->second.get();
}

int32_t LineCount(const TextControl& control) {
    return 1 + static_cast<int32_t>(std::count(control.text.begin(), control.text.end(), '\n'));
}

}  // namespace

bool EditControlExists(WindowHandle control) {
    std::lock_guard<std::mutex> guard(g_lock);
    return Find(control) != nullptr;
}

bool EditControlIsReadOnly(WindowHandle control) {
    std::lock_guard<std::mutex> guard(g_lock);
    TextControl* found = Find(control);
    return found && found->readOnly;
}

void SetEditControlReadOnly(WindowHandle control, bool readOnly) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (TextControl* found = Find(control))
        found->readOnly = readOnly;
}

void GetEditControlText(WindowHandle control, std::string& text) {
    std::lock_guard<std::mutex> guard(g_lock);
    TextControl* found = Find(control);
    if (found)
        text.assign(found->text);
    else
        text.clear();
}

void SetEditControlText(WindowHandle control, const std::string& text) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (TextControl* found = Find(control)) {
        // Like the window text, the control's text ends at a zero character.
        found->text.assign(text.c_str());
        found->firstVisibleLine = 0;
    }
}

int32_t EditControlLineCount(WindowHandle control) {
    std::lock_guard<std::mutex> guard(g_lock);
    TextControl* found = Find(control);
    return found ? LineCount(*found) : 0;
}

void ScrollEditControl(WindowHandle control, int32_t lines) {
    std::lock_guard<std::mutex> guard(g_lock);
    TextControl* found = Find(control);
    if (!found)
        return;
    // As the edit control does: the view stops when the last line reaches its bottom.
    int64_t first = static_cast<int64_t>(found->firstVisibleLine) + lines;
    int64_t last = std::max<int64_t>(0, LineCount(*found) - found->visibleLines);
    found->firstVisibleLine = static_cast<int32_t>(std::clamp<int64_t>(first, 0, last));
}

int32_t EditControlFirstVisibleLine(WindowHandle control) {
    std::lock_guard<std::mutex> guard(g_lock);
    TextControl* found = Find(control);
    return found ? found->firstVisibleLine : 0;
}

WindowHandle CreateEditControl(int32_t visibleLines) {
    auto control = std::make_unique<TextControl>();
    control->visibleLines = std::max<int32_t>(1, visibleLines);
    std::lock_guard<std::mutex> guard(g_lock);
    WindowHandle handle = g_nextHandle;
    g_nextHandle += 4;
    Controls().emplace(handle, std::move(control));
    return handle;
}

void DestroyEditControl(WindowHandle control) {
    std::lock_guard<std::mutex> guard(g_lock);
    Controls().erase(control);
}

}  // namespace platform
