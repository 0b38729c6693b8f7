// The actions behind the menu entries: a command shell in a directory, a path on the
// clipboard, and touching files with the present time or a time the user chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace tamarack {

// The system's message for an error code without its closing line break, or
// "Error code N" when the system has none.
std::string SystemErrorText(uint32_t code);

// Sets the times of an existing file: with `explicitUtc` its last-write time only,
// without, all three to the present moment. 1 on success; 0 on failure, with
// "Open: ...", "GetFileTime: ..." or "SetFileTime: ..." in `errorText` when given.
int TouchFile(const char* path, std::string* errorText, const platform::DateTime* explicitUtc);

bool IsWindowsNT();
// cmd.exe in the system directory, or command.com in the Windows directory before NT.
std::string CommandInterpreterPath();

// Starts a command shell in `directory`.
void OpenShellIn(const std::string& directory);
// Places `text` on the clipboard; nothing happens when the clipboard cannot be opened.
void CopyToClipboard(const std::string& text);
// The clipboard text of "Copy to Clipboard (%s)" with the modifier keys as they are now.
std::string SelectedPathClipboardText(const std::string& path);
// Touches each path (with `explicitUtc` when given), one message box per failure.
void TouchAndReport(const std::vector<std::string>& paths, const platform::DateTime* explicitUtc);
// Shows the date and time dialog preselected with `preselectedLocal`; true with the
// chosen moment in UTC when the user confirmed it.
bool ChooseTime(const platform::DateTime& preselectedLocal, platform::DateTime& chosenUtc);
// The last-write time of `path` in local time, or the present local time when it
// cannot be read.
platform::DateTime LastWriteLocalTime(const std::string& path);

}  // namespace tamarack
