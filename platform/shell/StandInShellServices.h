// An in-process stand-in for the shell's services: menus, files, the registry, the
// clipboard and the windows are plain data that tests set up and read back, and every
// call is answered the way Windows answers it (error codes, texts, menu positions).
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/shell/ShellServices.h"

namespace platform::shell {

// A popup menu of the stand-in; Handle() is what the handler is given.
class StandInMenu {
  public:
    struct Entry {
        UINT flags = 0;
        UINT_PTR id = 0;
        std::string text;
        HBITMAP bitmap = nullptr;
    };

    HMENU Handle() { return reinterpret_cast<HMENU>(this); }
    static StandInMenu* FromHandle(HMENU menu) { return reinterpret_cast<StandInMenu*>(menu); }

    std::vector<Entry> entries;
};

// A file or directory of the stand-in's file system, and how it misbehaves.
struct StandInFile {
    bool directory = false;
    bool readOnly = false;
    bool openedElsewhere = false;  // opening fails with a sharing violation
    bool failGetTimes = false;
    bool failSetTimes = false;
    FileTimes times;
};

struct StandInMessageBox {
    std::string text;
    std::string caption;
    UINT style = 0;
};

struct StandInProgramStart {
    std::string file;
    std::string directory;
    int show = 0;
};

// The lists of the last dialog shown, by control id, and their selections.
struct StandInDialogList {
    std::vector<std::string> items;
    int selected = -1;
};

class StandInShellServices : public ShellServices {
  public:
    // Windows error codes the stand-in answers with.
    static constexpr uint32_t kFileNotFound = 2;
    static constexpr uint32_t kAccessDenied = 5;
    static constexpr uint32_t kSharingViolation = 32;
    static constexpr uint32_t kInvalidParameter = 87;
    static constexpr uint32_t kFilenameTooLong = 206;

    // The drop handle of a list of paths, for a data object of the stand-in.
    static HGLOBAL DropHandle(const std::vector<std::string>* paths) {
        return const_cast<std::vector<std::string>*>(paths);
    }

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
    bool IsWindowsNT() override { return windowsNT; }
    std::string SystemDirectory() override { return systemDirectory; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    bool SystemErrorMessage(uint32_t code, std::string& text) override;
    uint32_t LastError() override { return lastError; }
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

    // The registry key of that name under HKEY_CLASSES_ROOT (any letter case, trailing
    // backslash ignored), or null; keys under HKEY_CURRENT_USER are named with the prefix
    // "HKEY_CURRENT_USER\\".
    const std::map<std::string, std::string>* FindKey(const std::string& name) const;
    static std::string KeyId(const std::string& name, HKEY root = HKEY_CLASSES_ROOT);

    // The environment the handler sees.
    std::map<std::string, StandInFile> files;
    std::set<int> keysDown;
    bool clipboardAvailable = true;
    bool windowsNT = true;
    std::string systemDirectory = "C:\\Windows\\system32";
    std::string windowsDirectory = "C:\\Windows";
    std::string moduleFileName = "C:\\Program Files\\Tamarack\\tamarack.dll";
    int utcOffsetMinutes = 0;  // local time minus UTC
    // Registry: keys (by KeyId) with their values ("" is the default value).
    std::map<std::string, std::map<std::string, std::string>> registry;
    std::set<std::string> keysThatCannotBeCreated;  // by KeyId
    bool valuesCanBeSet = true;
    size_t longestProgramDirectory = std::string::npos;  // longer ones are refused
    // The dialog: how the user ends it, after choosing these list indexes.
    int dialogAnswer = IDCANCEL;
    std::map<int, int> dialogChoices;

    // What the handler did.
    std::string clipboardText;
    std::vector<StandInMessageBox> messageBoxes;
    std::vector<StandInProgramStart> programStarts;
    std::map<int, StandInDialogList> dialogLists;
    int dialogsShown = 0;
    int dialogTemplate = 0;
    int openFiles = 0;
    int openKeys = 0;
    int bitmapsLoaded = 0;
    int bitmapsDeleted = 0;
    int mediaReleased = 0;
    uint32_t lastError = 0;

  private:
    std::vector<std::string> m_keyHandles;  // open keys by handle - 1
};

}  // namespace platform::shell
