#include "platform/shell/StandInShellServices.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/shell/FileTimeConversion.h"

namespace platform::shell {
namespace {

constexpr uint32_t FileNotFound = StandInShellServices::kFileNotFound;
constexpr uint32_t AccessDenied = StandInShellServices::kAccessDenied;
constexpr int64_t TicksPerMinute = 600000000LL;

class StandInDialogControls : public DialogControls {
  public:
    explicit StandInDialogControls(std::map<int, StandInDialogList>& lists) : m_lists(lists) {}
    void AppendListItem(int controlId, const char* text) override {
        m_lists[controlId].items.emplace_back(text);
    }
    void SelectListItem(int controlId, int index) override {
        StandInDialogList& list = m_lists[controlId];
        list.selected = index >= 0 && index < static_cast<int>(list.items.size()) ? index : -1;
    }
    int SelectedListItem(int controlId) override {
        auto found = m_lists.find(controlId);
        return found == m_lists.end() ? -1 : found->second.selected;
    }

  private:
    std::map<int, StandInDialogList>& m_lists;
};

bool ShiftByMinutes(const DateTime& from, int64_t minutes, DateTime& to) {
    FileTime time = 0;
    if (!FileTimeFromDateTime(from, time))
        return false;
    to = DateTimeFromFileTime(
        static_cast<FileTime>(static_cast<int64_t>(time) + minutes * TicksPerMinute));
    return true;
}

}  // namespace

std::string StandInShellServices::KeyId(const std::string& name, HKEY root) {
    std::string id = root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER\\" + name : name;
    while (!id.empty() && id.back() == '\\')
        id.pop_back();
    for (char& c : id)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return id;
}

const std::map<std::string, std::string>* StandInShellServices::FindKey(
    const std::string& name) const {
    auto found = registry.find(KeyId(name));
    return found == registry.end() ? nullptr : &found->second;
}

UINT StandInShellServices::DropFileCount(HGLOBAL drop) {
    const auto* paths = static_cast<const std::vector<std::string>*>(drop);
    return paths ? static_cast<UINT>(paths->size()) : 0;
}

bool StandInShellServices::DropFilePath(HGLOBAL drop, UINT index, std::string& path) {
    const auto* paths = static_cast<const std::vector<std::string>*>(drop);
    if (!paths || index >= paths->size())
        return false;
    path = (*paths)[index];
    return true;
}

void StandInShellServices::ReleaseMedium(STGMEDIUM* medium) {
    ++mediaReleased;
    if (medium && medium->pUnkForRelease)
        medium->pUnkForRelease->Release();
}

DWORD StandInShellServices::FileAttributes(const char* path) {
    auto found = files.find(path);
    if (found == files.end()) {
        lastError = FileNotFound;
        return INVALID_FILE_ATTRIBUTES;
    }
    if (found->second.directory)
        return FILE_ATTRIBUTE_DIRECTORY;
    return found->second.readOnly ? 0x21 : 0x20;  // archive, and read-only
}

bool StandInShellServices::InsertMenuEntry(HMENU menu, UINT position, UINT flags, UINT_PTR id,
                                           const char* text) {
    StandInMenu* target = StandInMenu::FromHandle(menu);
    if (!target)
        return false;
    StandInMenu::Entry entry;
    entry.flags = flags & ~MF_BYPOSITION;
    entry.id = (flags & MF_SEPARATOR) ? 0 : id;
    if (!(flags & MF_SEPARATOR) && text)
        entry.text = text;
    // A position past the end appends, as the system's menus do.
    size_t at = std::min<size_t>(position, target->entries.size());
    target->entries.insert(target->entries.begin() + static_cast<std::ptrdiff_t>(at),
                           std::move(entry));
    return true;
}

bool StandInShellServices::SetMenuEntryBitmaps(HMENU menu, UINT position, UINT, HBITMAP unchecked,
                                               HBITMAP) {
    StandInMenu* target = StandInMenu::FromHandle(menu);
    if (!target || position >= target->entries.size())
        return false;
    target->entries[position].bitmap = unchecked;
    return true;
}

bool StandInShellServices::IsKeyDown(int virtualKey) {
    return keysDown.count(virtualKey) != 0;
}

bool StandInShellServices::SetClipboardText(const char* text) {
    if (!clipboardAvailable)
        return false;
    clipboardText = text;
    return true;
}

int StandInShellServices::ShowMessageBox(const char* text, const char* caption, UINT style) {
    messageBoxes.push_back({text ? text : "", caption ? caption : "", style});
    return IDOK;
}

bool StandInShellServices::StartProgram(const char* file, const char* directory, int show) {
    if (directory && std::strlen(directory) > longestProgramDirectory) {
        lastError = kFilenameTooLong;
        return false;
    }
    programStarts.push_back({file ? file : "", directory ? directory : "", show});
    return true;
}

int StandInShellServices::ShowModalDialog(HINSTANCE, int templateId, DialogHandler& handler) {
    ++dialogsShown;
    dialogTemplate = templateId;
    dialogLists.clear();
    StandInDialogControls controls(dialogLists);
    handler.OnInitDialog(controls);
    if (dialogAnswer != IDOK)
        return dialogAnswer;
    for (const auto& choice : dialogChoices)
        controls.SelectListItem(choice.first, choice.second);
    handler.OnOk(controls);
    return IDOK;
}

bool StandInShellServices::SystemErrorMessage(uint32_t code, std::string& text) {
    switch (code) {
        case FileNotFound:
            text = "The system cannot find the file specified.\r\n";
            return true;
        case AccessDenied:
            text = "Access is denied.\r\n";
            return true;
        case kSharingViolation:
            text =
                "The process cannot access the file because it is being used by another "
                "process.\r\n";
            return true;
        case kInvalidParameter:
            text = "The parameter is incorrect.\r\n";
            return true;
        default:
            return false;
    }
}

bool StandInShellServices::LocalToUtc(const DateTime& local, DateTime& utc) {
    return ShiftByMinutes(local, -utcOffsetMinutes, utc);
}

bool StandInShellServices::UtcToLocal(const DateTime& utc, DateTime& local) {
    return ShiftByMinutes(utc, utcOffsetMinutes, local);
}

FileHandle StandInShellServices::OpenForWriting(const char* path) {
    auto found = files.find(path);
    if (found == files.end()) {
        lastError = FileNotFound;
        return nullptr;
    }
    StandInFile& file = found->second;
    if (file.directory || file.readOnly) {
        lastError = AccessDenied;
        return nullptr;
    }
    if (file.openedElsewhere) {
        lastError = kSharingViolation;
        return nullptr;
    }
    ++openFiles;
    return &file;
}

bool StandInShellServices::GetFileTimes(FileHandle handle, FileTimes& times) {
    auto* file = static_cast<StandInFile*>(handle);
    if (file->failGetTimes) {
        lastError = AccessDenied;
        return false;
    }
    times = file->times;
    return true;
}

bool StandInShellServices::SetFileTimes(FileHandle handle, const FileTimes& times) {
    auto* file = static_cast<StandInFile*>(handle);
    if (file->failSetTimes) {
        lastError = AccessDenied;
        return false;
    }
    file->times = times;
    return true;
}

void StandInShellServices::CloseFile(FileHandle) {
    --openFiles;
}

bool StandInShellServices::GetLastWriteTime(const char* path, FileTime& time) {
    auto found = files.find(path);
    if (found == files.end()) {
        lastError = FileNotFound;
        return false;
    }
    time = found->second.times.lastWrite;
    return true;
}

long StandInShellServices::CreateKey(HKEY root, const char* subKey, HKEY* key) {
    *key = nullptr;
    if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER)
        return static_cast<long>(kInvalidParameter);
    std::string id = KeyId(subKey, root);
    if (keysThatCannotBeCreated.count(id))
        return static_cast<long>(AccessDenied);
    // Every missing key on the way is created too.
    for (size_t slash = id.find('\\'); slash != std::string::npos; slash = id.find('\\', slash + 1))
        registry[id.substr(0, slash)];
    registry[id];
    m_keyHandles.push_back(id);
    ++openKeys;
    *key = reinterpret_cast<HKEY>(m_keyHandles.size());
    return 0;
}

long StandInShellServices::SetStringValue(HKEY key, const char* valueName, const char* data) {
    size_t index = reinterpret_cast<size_t>(key);
    if (!valuesCanBeSet || index == 0 || index > m_keyHandles.size())
        return static_cast<long>(AccessDenied);
    registry[m_keyHandles[index - 1]][valueName ? valueName : ""] = data;
    return 0;
}

void StandInShellServices::CloseKey(HKEY) {
    --openKeys;
}

long StandInShellServices::DeleteKey(HKEY root, const char* subKey) {
    if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER)
        return static_cast<long>(kInvalidParameter);
    std::string id = KeyId(subKey, root);
    auto found = registry.find(id);
    if (found == registry.end())
        return static_cast<long>(FileNotFound);
    // A key with subkeys cannot be deleted.
    std::string childPrefix = id + "\\";
    auto child = registry.lower_bound(childPrefix);
    if (child != registry.end() && child->first.compare(0, childPrefix.size(), childPrefix) == 0)
        return static_cast<long>(AccessDenied);
    registry.erase(found);
    return 0;
}

std::string StandInShellServices::ModuleFileName(HINSTANCE) {
    return moduleFileName;
}

HBITMAP StandInShellServices::LoadBitmapResource(HINSTANCE, int resourceId) {
    ++bitmapsLoaded;
    return reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(0xB000 + resourceId));
}

void StandInShellServices::DeleteBitmap(HBITMAP) {
    ++bitmapsDeleted;
}

}  // namespace platform::shell
