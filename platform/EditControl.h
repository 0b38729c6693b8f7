// A multi-line edit control of a window of this process, named by its window handle:
// a real edit control on Windows; on POSIX an in-process text control with the same
// operations (numbered handles, "\r\n" line ends, a view of a few lines that scrolls).
// Every operation on a handle that names no control does nothing and answers 0/false/"".
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A window handle as a number (configurations give it in decimal).
using WindowHandle = int64_t;

// IsWindow.
bool EditControlExists(WindowHandle control);
// The ES_READONLY bit of the control's style.
bool EditControlIsReadOnly(WindowHandle control);
// EM_SETREADONLY.
void SetEditControlReadOnly(WindowHandle control, bool readOnly);
// The whole text (GetWindowTextLengthA and GetWindowTextA).
void GetEditControlText(WindowHandle control, std::string& text);
// Replaces the whole text (SetWindowTextA); the view goes back to the first line.
void SetEditControlText(WindowHandle control, const std::string& text);
// EM_GETLINECOUNT: the number of lines, 1 for an empty control.
int32_t EditControlLineCount(WindowHandle control);
// EM_LINESCROLL by `lines` lines and no columns.
void ScrollEditControl(WindowHandle control, int32_t lines);
// EM_GETFIRSTVISIBLELINE.
int32_t EditControlFirstVisibleLine(WindowHandle control);

// A control of one's own: multi-line, editable, without word wrap, about
// `visibleLines` lines high. 0 when it cannot be made (on Windows: no display).
WindowHandle CreateEditControl(int32_t visibleLines);
void DestroyEditControl(WindowHandle control);

}  // namespace platform
