// The shell's services as Windows gives them: the real menu, clipboard, registry,
// file-time, dialog and resource calls.
#pragma once

#include "platform/shell/ShellServices.h"

namespace platform::shell {

class Win32ShellServices : public ShellServices {
  public:
    UINT DropFileCount(HGLOBAL drop) override;
    bool DropFilePath(HGLOBAL drop, UINT index, std::string& path) override;
    void ReleaseMedium(STGMEDIUM* medium) override;
    DWORD FileAttributes(const char* path) override;
    bool InsertMenuEntry(HMENU menu, UINT position, UINT flags, UINT_PTR id,
                         const char* text) override;
    bool SetMenuEntryBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked,
                             HBITMAP checked) override;
    bool IsKeyDown(int virtualKey) override;
    bool SetClipboardText(const char* text) override;
    int ShowMessageBox(const char* text, const char* caption, UINT style) override;
    bool StartProgram(const char* file, const char* directory, int show) override;
    int ShowModalDialog(HINSTANCE module, int templateId, DialogHandler& handler) override;
    bool IsWindowsNT() override;
    std::string SystemDirectory() override;
    std::string WindowsDirectory() override;
    bool SystemErrorMessage(uint32_t code, std::string& text) override;
    uint32_t LastError() override;
    bool LocalToUtc(const DateTime& local, DateTime& utc) override;
    bool UtcToLocal(const DateTime& utc, DateTime& local) override;
    FileHandle OpenForWriting(const char* path) override;
    bool GetFileTimes(FileHandle file, FileTimes& times) override;
    bool SetFileTimes(FileHandle file, const FileTimes& times) override;
    void CloseFile(FileHandle file) override;
    bool GetLastWriteTime(const char* path, FileTime& time) override;
    long CreateKey(HKEY root, const char* subKey, HKEY* key) override;
    long SetStringValue(HKEY key, const char* valueName, const char* data) override;
    void CloseKey(HKEY key) override;
    long DeleteKey(HKEY root, const char* subKey) override;
    std::string ModuleFileName(HINSTANCE module) override;
    HBITMAP LoadBitmapResource(HINSTANCE module, int resourceId) override;
    void DeleteBitmap(HBITMAP bitmap) override;
};

}  // namespace platform::shell
