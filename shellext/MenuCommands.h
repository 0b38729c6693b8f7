// The actions behind the menu entries: a command shell in a directory, a path on the
// clipboard, and touching files with the present time or a time the user chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell/ShellServices.h"

namespace tamarack {

// The system's message for an error code without its closing line break, or
// "Error code N" when the system has none.
std::string SystemErrorText(uint32_t code);

// Sets the times of an existing file: with `explicitLastWrite` its last-write time only,
// without, all three to the present moment. 1 on success; 0 on failure, with
// "Open: ...", "GetFileTime: ..." or "SetFileTime: ..." in `errorText` when given.
int TouchFile(const char* path, std::string* errorText,
              const platform::shell::FileTime* explicitLastWrite);

bool IsWindowsNT();
// cmd.exe in the system directory, or command.com in the Windows directory before NT.
std::string CommandInterpreterPath();

// Starts a command shell in `directory`.
void OpenShellIn(const std::string& directory);
// Places `text` on the clipboard; nothing happens when the clipboard cannot be opened.
void CopyToClipboard(const std::string& text);
// The clipboard text of "Copy to Clipboard (%s)" with the modifier keys as they are now.
std::string SelectedPathClipboardText(const std::string& path);
// Touches each path (with `explicitLastWrite` when given), one message box per failure.
void TouchAndReport(const std::vector<std::string>& paths,
                    const platform::shell::FileTime* explicitLastWrite);
// Shows the date and time dialog and stamps the chosen local time as the last-write time
// of each path. It is preselected with the first path's last-write time when
// `preselectFileTime` (and it can be read), else with the present time; OK with the
// preselected file time unchanged writes that time back exactly, to the tick.
void TouchWithDialog(const std::vector<std::string>& paths, bool preselectFileTime);

}  // namespace tamarack
