// The services of the Windows shell that the extension calls: the data object's file
// list, menus and their bitmaps, modifier keys, the clipboard, message boxes, starting
// a program, the modal dialog, file times, the registry and the module's resources.
// The real Win32 calls sit behind this interface in the DLL; natively an in-process
// stand-in answers them, so the handler's logic runs and is tested without a shell.
// Every text crosses this interface as UTF-8 (paths exactly as the shell gave them, of
// any length); the Win32 side makes UTF-16 of it for the system's wide calls.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/shell/ComTypes.h"

namespace platform::shell {

// A file time: 100-nanosecond intervals since 1601-01-01 00:00 UTC.
using FileTime = uint64_t;

struct FileTimes {
    FileTime creation = 0;
    FileTime lastAccess = 0;
    FileTime lastWrite = 0;
};

// An open file; null when none.
using FileHandle = void*;

// The controls of a shown dialog, as its handler sees them.
class DialogControls {
  public:
    // Appends `text` to the list `controlId`, keeping the order of the calls.
    virtual void AppendListItem(int controlId, const char* text) = 0;
    virtual void SelectListItem(int controlId, int index) = 0;
    // The selected index of the list, or -1.
    virtual int SelectedListItem(int controlId) = 0;

  protected:
    ~DialogControls() = default;
};

// What a modal dialog does when it opens and when OK ends it.
class DialogHandler {
  public:
    virtual void OnInitDialog(DialogControls& controls) = 0;
    virtual void OnOk(DialogControls& controls) = 0;

  protected:
    ~DialogHandler() = default;
};

class ShellServices {
  public:
    virtual ~ShellServices() = default;

    // The data object's file list (CF_HDROP): the number of paths, and path `index`
    // whole (false when there is no such path).
    virtual UINT DropFileCount(HGLOBAL drop) = 0;
    virtual bool DropFilePath(HGLOBAL drop, UINT index, std::string& path) = 0;
    virtual void ReleaseMedium(STGMEDIUM* medium) = 0;
    virtual DWORD FileAttributes(const char* path) = 0;

    virtual bool InsertMenuEntry(HMENU menu, UINT position, UINT flags, UINT_PTR id,
                                 const char* text) = 0;
    virtual bool SetMenuEntryBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked,
                                     HBITMAP checked) = 0;

    // Whether the key is down now (the high bit of GetKeyState).
    virtual bool IsKeyDown(int virtualKey) = 0;
    // Replaces the clipboard's content with `text` (as Unicode text, from which the
    // system makes the ANSI form for readers that want it). False when the clipboard
    // could not be opened or the text not placed.
    virtual bool SetClipboardText(const char* text) = 0;
    virtual int ShowMessageBox(const char* text, const char* caption, UINT style) = 0;
    // Starts `file` with the default action in `directory`; whether the system started
    // it is not examined. False (see LastError) when it was not asked to: a program
    // cannot start in a directory whose path does not fit in MAX_PATH.
    virtual bool StartProgram(const char* file, const char* directory, int show) = 0;
    // Shows dialog template `templateId` of `module` modally without an owner; IDOK or
    // IDCANCEL, or -1 when it could not be shown.
    virtual int ShowModalDialog(HINSTANCE module, int templateId, DialogHandler& handler) = 0;

    virtual bool IsWindowsNT() = 0;
    virtual std::string SystemDirectory() = 0;
    virtual std::string WindowsDirectory() = 0;
    // The system's message for an error code (ending in a line break as Windows gives
    // it); false when there is none.
    virtual bool SystemErrorMessage(uint32_t code, std::string& text) = 0;
    // The calling thread's last error code.
    virtual uint32_t LastError() = 0;
    // Local civil time to UTC and back, with the offset in force on that date.
    virtual bool LocalToUtc(const DateTime& local, DateTime& utc) = 0;
    virtual bool UtcToLocal(const DateTime& utc, DateTime& local) = 0;

    // An existing file opened for writing, unshared; null on failure (see LastError).
    virtual FileHandle OpenForWriting(const char* path) = 0;
    virtual bool GetFileTimes(FileHandle file, FileTimes& times) = 0;
    virtual bool SetFileTimes(FileHandle file, const FileTimes& times) = 0;
    virtual void CloseFile(FileHandle file) = 0;
    // The last-write time of a file or directory, read without opening it for writing.
    virtual bool GetLastWriteTime(const char* path, FileTime& time) = 0;

    // Registry calls answer 0 or a system error code.
    virtual long CreateKey(HKEY root, const char* subKey, HKEY* key) = 0;
    virtual long SetStringValue(HKEY key, const char* valueName, const char* data) = 0;
    virtual void CloseKey(HKEY key) = 0;
    virtual long DeleteKey(HKEY root, const char* subKey) = 0;

    // The module's full path, whatever its length; "" when it cannot be had.
    virtual std::string ModuleFileName(HINSTANCE module) = 0;
    virtual HBITMAP LoadBitmapResource(HINSTANCE module, int resourceId) = 0;
    virtual void DeleteBitmap(HBITMAP bitmap) = 0;
};

// The services in use: those installed with SetServices, else the system's own (the
// Win32 side on Windows, the stand-in elsewhere).
ShellServices& Services();
// Installs `services` (null restores the default) and returns what was installed before.
// The caller keeps ownership.
ShellServices* SetServices(ShellServices* services);

}  // namespace platform::shell
