// The real tamarack.dll under Wine: registration with regsvr32, activation through the
// registry, real menus, file times, the clipboard, modifier keys, and (with a display)
// the message box and the date and time dialog as real windows.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/shell/ComTypes.h"
#include "tests/support/TemporaryDirectory.h"
#include "tools/tamarack-host/HostDataObject.h"

namespace {

const CLSID TamarackClass = {
    0x7D3A5C21, 0x94E8, 0x4B6F, {0xA1, 0xC2, 0x5E, 0x8F, 0x0D, 0x4B, 0x9A, 0x63}};
const std::string ClassId = "{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}";

std::string DllPath() {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    return path.substr(0, path.rfind('\\')) + "\\tamarack.dll";
}

// Runs a program to its end; its exit code, or -1 when it could not start.
long RunProgram(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

long Regsvr32(const char* options) {
    return RunProgram(std::string("regsvr32.exe /s ") + options + " \"" + DllPath() + "\"");
}

// The value of a registry entry under HKEY_CLASSES_ROOT, or "(none)".
std::string ClassesValue(const std::string& key, const char* name = nullptr) {
    HKEY opened;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return "(none)";
    char data[1024];
    DWORD size = sizeof data, type = 0;
    LONG result =
        RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return "(none)";
    return std::string(data);
}

std::string HandlerKey(const char* kind) {
    return std::string(kind) + "\\shellex\\ContextMenuHandlers\\Tamarack";
}

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

struct Times {
    uint64_t creation = 0, access = 0, write = 0;
};

Times ReadTimes(const std::string& path) {
    Times times;
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
    FILETIME c, a, w;
    EXPECT_TRUE(GetFileTime(file, &c, &a, &w));
    CloseHandle(file);
    times.creation = Ticks(c);
    times.access = Ticks(a);
    times.write = Ticks(w);
    return times;
}

void WriteTimes(const std::string& path, uint64_t ticks) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME time = FromTicks(ticks);
    EXPECT_TRUE(SetFileTime(file, &time, &time, &time));
    CloseHandle(file);
}

uint64_t LocalToUtcTicks(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0}, utc;
    EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    return Ticks(time);
}

std::string MakeFile(const testsupport::TemporaryDirectory& directory, const std::string& name) {
    std::string path = directory.File(name);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    return path;
}

std::string ClipboardText() {
    if (!OpenClipboard(nullptr))
        return "(closed)";
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    std::string result = text ? text : "(no text)";
    if (text)
        GlobalUnlock(data);
    CloseClipboard();
    return result;
}

void PressKeys(bool control, bool shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The system's message for an error code, without its closing line break.
std::string SystemText(DWORD code) {
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0,
                   reinterpret_cast<char*>(&message), 0, nullptr);
    std::string text = message ? message : "";
    if (message)
        LocalFree(message);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

bool HaveDisplay() {
    return GetEnvironmentVariableA("DISPLAY", nullptr, 0) > 0;
}

class WineShellExtTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(0, Regsvr32("")); }
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        PressKeys(false, false);
        CoUninitialize();
    }

    // A handler of the registered class, initialised with `paths`.
    IContextMenu* Handler(const std::vector<std::string>& paths) {
        IShellExtInit* init = nullptr;
        HRESULT result = CoCreateInstance(TamarackClass, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellExtInit, reinterpret_cast<void**>(&init));
        EXPECT_EQ(S_OK, result);
        if (!init)
            return nullptr;
        auto* data = new tamarackhost::HostDataObject(paths);
        EXPECT_EQ(S_OK, init->Initialize(nullptr, data, nullptr));
        data->Release();
        IContextMenu* menu = nullptr;
        EXPECT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
        init->Release();
        return menu;
    }

    void Invoke(const std::vector<std::string>& paths, int offset) {
        IContextMenu* handler = Handler(paths);
        ASSERT_NE(nullptr, handler);
        CMINVOKECOMMANDINFO invocation{};
        invocation.cbSize = sizeof invocation;
        invocation.lpVerb = MAKEINTRESOURCEA(offset);
        EXPECT_EQ(S_OK, handler->InvokeCommand(&invocation));
        handler->Release();
    }

    testsupport::TemporaryDirectory directory;
};

TEST_F(WineShellExtTest, Regsvr32WritesElevenEntriesAndRemovesThemOnce) {
    const char* kinds[] = {
        "*",      "AllFilesystemObjects", "Directory",      "Directory\\background", "Drive",
        "Folder", "LibraryFolder",        "LibraryLocation"};
    ASSERT_EQ(0, Regsvr32(""));  // a second time over the suite's registration
    EXPECT_EQ("Tamarack", ClassesValue("CLSID\\" + ClassId));
    EXPECT_EQ(DllPath(), ClassesValue("CLSID\\" + ClassId + "\\InProcServer32"));
    EXPECT_EQ("Apartment",
              ClassesValue("CLSID\\" + ClassId + "\\InProcServer32", "ThreadingModel"));
    for (const char* kind : kinds)
        EXPECT_EQ(ClassId, ClassesValue(HandlerKey(kind))) << kind;

    EXPECT_EQ(0, Regsvr32("/u"));
    EXPECT_EQ("(none)", ClassesValue("CLSID\\" + ClassId));
    for (const char* kind : kinds)
        EXPECT_EQ("(none)", ClassesValue(HandlerKey(kind))) << kind;
    EXPECT_NE(0, Regsvr32("/u"));
    ASSERT_EQ(0, Regsvr32(""));
}

TEST_F(WineShellExtTest, ExportsAnswerForTheirClassAndCountObjects) {
    HMODULE module = LoadLibraryA(DllPath().c_str());
    ASSERT_NE(nullptr, module);
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    using CanUnloadNow = HRESULT(WINAPI*)();
    auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(getClassObject && canUnloadNow);
    EXPECT_EQ(S_OK, canUnloadNow());
    void* object = &object;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IUnknown, IID_IClassFactory, &object));
    EXPECT_EQ(nullptr, object);
    IContextMenu* handler = Handler({MakeFile(directory, "a.txt")});  // the same module
    ASSERT_NE(nullptr, handler);
    EXPECT_EQ(S_FALSE, canUnloadNow());
    handler->Release();
    EXPECT_EQ(S_OK, canUnloadNow());
    FreeLibrary(module);
}

TEST_F(WineShellExtTest, RealMenusGetTheEntriesWithBitmaps) {
    std::string file = MakeFile(directory, "a.txt");
    HMENU menu = CreatePopupMenu();
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 1, "Open");
    IContextMenu* handler = Handler({file});
    ASSERT_NE(nullptr, handler);
    EXPECT_EQ(6, HRESULT_CODE(handler->QueryContextMenu(menu, 1, 100, 200, CMF_NORMAL)));
    handler->Release();

    const UINT separator = 0xFFFFFFFFu;
    struct Expected {
        UINT id;
        std::string text;
    } expected[] = {{1, "Open"},
                    {separator, ""},
                    {100, "Shell (Current directory)"},
                    {102, "Copy to Clipboard (Current directory)"},
                    {103, "Copy to Clipboard (" + file + ")"},
                    {separator, ""},
                    {104, "Touch " + file + " (cur date/time)"},
                    {105, "Touch " + file + " ..."},
                    {separator, ""}};
    ASSERT_EQ(9, GetMenuItemCount(menu));
    for (UINT position = 0; position < 9; ++position) {
        SCOPED_TRACE(position);
        char text[512] = "";
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &item));
        if (expected[position].id == separator) {
            EXPECT_TRUE(item.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(expected[position].id, item.wID);
        EXPECT_EQ(expected[position].text, text);
        if (position == 0)
            continue;
        ASSERT_NE(nullptr, item.hbmpUnchecked);
        EXPECT_EQ(item.hbmpUnchecked, item.hbmpChecked);
        BITMAP bitmap{};
        ASSERT_NE(0, GetObjectA(item.hbmpUnchecked, sizeof bitmap, &bitmap));
        EXPECT_EQ(16, bitmap.bmWidth);
        EXPECT_EQ(16, bitmap.bmHeight);
    }
    DestroyMenu(menu);

    // A directory and a selection of several paths.
    menu = CreatePopupMenu();
    handler = Handler({directory.Path().string()});
    EXPECT_EQ(4, HRESULT_CODE(handler->QueryContextMenu(menu, 0, 1, 200, CMF_EXPLORE)));
    handler->Release();
    char text[512];
    GetMenuStringA(menu, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ("Shell (" + directory.Path().string() + ")", std::string(text));
    DestroyMenu(menu);
    menu = CreatePopupMenu();
    handler = Handler({file, directory.Path().string()});
    EXPECT_EQ(8, HRESULT_CODE(handler->QueryContextMenu(menu, 0, 1, 200, CMF_NORMAL)));
    EXPECT_EQ(0, HRESULT_CODE(handler->QueryContextMenu(menu, 0, 1, 200, CMF_DEFAULTONLY)));
    handler->Release();
    EXPECT_EQ(6, GetMenuItemCount(menu));
    GetMenuStringA(menu, 4, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("Touch seledted files ...", text);
    EXPECT_EQ(8u, GetMenuItemID(menu, 4));
    DestroyMenu(menu);
}

TEST_F(WineShellExtTest, TouchSetsAllThreeTimesToNow) {
    std::string first = MakeFile(directory, "a.txt");
    std::string second = MakeFile(directory, "b c.txt");
    const uint64_t old = LocalToUtcTicks(2001, 2, 3, 4, 5, 6);
    WriteTimes(first, old);
    WriteTimes(second, old);
    FILETIME before;
    GetSystemTimeAsFileTime(&before);
    Invoke({first}, 4);
    Times times = ReadTimes(first);
    EXPECT_EQ(times.creation, times.write);
    EXPECT_EQ(times.access, times.write);
    EXPECT_GE(times.write + 10000000, Ticks(before));  // the clock's resolution aside
    EXPECT_LT(times.write, Ticks(before) + 600000000ULL);
    Invoke({first, second}, 6);
    Times both = ReadTimes(second);
    EXPECT_EQ(both.creation, both.write);
    EXPECT_GE(both.write, times.write);
}

TEST_F(WineShellExtTest, ClipboardTextsFollowTheModifierKeys) {
    std::string file = MakeFile(directory, "My File.txt");
    std::string upper = file;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    Invoke({file}, 3);
    EXPECT_EQ("\"" + file + "\"", ClipboardText());
    PressKeys(true, false);
    Invoke({file}, 3);
    EXPECT_EQ("\"My File.txt\"", ClipboardText());
    PressKeys(false, true);
    Invoke({file}, 3);
    EXPECT_EQ("\"" + upper + "\"", ClipboardText());
    PressKeys(true, true);
    Invoke({file}, 3);
    EXPECT_EQ("\"MY FILE.TXT\"", ClipboardText());
    PressKeys(false, false);
    Invoke({file}, 2);
    std::string parent = directory.Path().string();
    EXPECT_EQ(parent.find(' ') == std::string::npos ? parent : "\"" + parent + "\"",
              ClipboardText());
}

// Watches for a window of the dialog class with `caption` and hands it to `act`.
class WindowWatcher {
  public:
    template <typename Action>
    WindowWatcher(const char* caption, Action act)
        : m_thread([this, caption, act] {
              for (int i = 0; i < 500 && !m_stop; ++i) {
                  HWND window = FindWindowA("#32770", caption);
                  if (window && IsWindowVisible(window)) {
                      act(window);
                      found = true;
                      return;
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~WindowWatcher() {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<bool> found{false};

  private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[256] = "";
        GetWindowTextA(child, text, sizeof text);
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        texts.push_back(std::string(name) + ":" + text);
    }
    return texts;
}

// Reads a dialog template: words, strings and ordinals, items aligned to 4 bytes.
class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* data) : m_start(data), m_at(data) {}
    DWORD Dword() {
        DWORD value;
        std::memcpy(&value, m_at, 4);
        m_at += 4;
        return value;
    }
    int Word() {
        WORD value;
        std::memcpy(&value, m_at, 2);
        m_at += 2;
        return static_cast<short>(value);
    }
    // A string, or "#N" for an ordinal.
    std::string Text() {
        std::string text;
        if (static_cast<WORD>(Word()) == 0xFFFF)
            return "#" + std::to_string(Word() & 0xFFFF);
        m_at -= 2;
        for (int c = Word(); c != 0; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    void Align() {
        while ((m_at - m_start) % 4)
            ++m_at;
    }

  private:
    const BYTE* m_start;
    const BYTE* m_at;
};

TEST_F(WineShellExtTest, DialogTemplateAndBitmapsAreCompiledIn) {
    HMODULE module = LoadLibraryExA(DllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(101), reinterpret_cast<LPCSTR>(RT_DIALOG));
    ASSERT_NE(nullptr, found);
    TemplateReader reader(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    EXPECT_EQ(0x80C800C0u, reader.Dword());
    EXPECT_EQ(0u, reader.Dword());
    int count = reader.Word();
    std::vector<int> frame;
    for (int i = 0; i < 4; ++i)
        frame.push_back(reader.Word());
    EXPECT_EQ((std::vector<int>{0, 0, 247, 57}), frame);
    EXPECT_EQ("", reader.Text());  // no menu
    EXPECT_EQ("", reader.Text());  // the standard dialog class
    EXPECT_EQ("Choose Date/Time", reader.Text());
    EXPECT_EQ(8, reader.Word());
    EXPECT_EQ("MS Sans Serif", reader.Text());
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        reader.Align();
        char line[160];
        DWORD style = reader.Dword();
        DWORD extended = reader.Dword();
        int x = reader.Word(), y = reader.Word(), cx = reader.Word(), cy = reader.Word();
        int id = reader.Word() & 0xFFFF;
        std::string kind = reader.Text();
        std::string text = reader.Text();
        reader.Word();  // no creation data
        std::snprintf(line, sizeof line, "%u %s '%s' %d,%d,%d,%d %08lX %lX", id, kind.c_str(),
                      text.c_str(), x, y, cx, cy, static_cast<unsigned long>(style),
                      static_cast<unsigned long>(extended));
        items.push_back(line);
    }
    // The three menu bitmaps: 16 x 16 pixels, 4 bits per pixel, uncompressed.
    for (int id = 101; id <= 103; ++id) {
        HRSRC bitmap =
            FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_BITMAP));
        ASSERT_NE(nullptr, bitmap) << id;
        BITMAPINFOHEADER header;
        std::memcpy(&header, LockResource(LoadResource(module, bitmap)), sizeof header);
        EXPECT_EQ(16, header.biWidth) << id;
        EXPECT_EQ(16, header.biHeight) << id;
        EXPECT_EQ(4, header.biBitCount) << id;
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression) << id;
    }
    FreeLibrary(module);
    // Classes by ordinal: 0x80 button, 0x82 static, 0x85 combo box.
    EXPECT_EQ(
        (std::vector<std::string>{
            "65535 #130 '&Day:' 7,9,16,8 50020000 0", "1000 #133 '' 31,7,27,119 50230903 0",
            "65535 #130 '&Month:' 7,22,23,8 50020000 0", "1001 #133 '' 31,20,70,86 50230903 0",
            "65535 #130 '&Year:' 7,35,20,8 50020000 0", "1002 #133 '' 31,34,48,85 50230903 0",
            "65535 #130 '&Hours:' 105,9,22,8 50020000 0", "1003 #133 '' 137,7,48,30 50230903 0",
            "65535 #130 '&Minutes:' 105,22,28,8 50020000 0", "1004 #133 '' 137,20,48,30 50230903 0",
            "65535 #130 '&Seconds:' 105,35,31,8 50020000 0", "1005 #133 '' 137,34,48,30 50230903 0",
            "1 #128 'OK' 190,7,50,14 50010001 0", "2 #128 'Cancel' 190,24,50,14 50010000 0"}),
        items);
}

TEST_F(WineShellExtTest, TouchFailureShowsOneMessageBox) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    std::string file = MakeFile(directory, "locked.txt");
    HANDLE holder = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    std::string text;
    std::vector<std::string> children;
    {
        WindowWatcher watcher("Tamarack", [&](HWND box) {
            char buffer[512] = "";
            GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
            text = buffer;
            children = ChildTexts(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        Invoke({file}, 4);
    }
    CloseHandle(holder);
    EXPECT_EQ(
        "Unable to touch file '" + file + "' (Open: " + SystemText(ERROR_SHARING_VIOLATION) + ").",
        text);
    int buttons = 0;
    for (const std::string& child : children)
        if (child.rfind("Button:", 0) == 0) {
            ++buttons;
            EXPECT_EQ("Button:OK", child);
        }
    EXPECT_EQ(1, buttons);
}

TEST_F(WineShellExtTest, DialogOffersTheFileTimeAndOkAppliesTheChoice) {
    if (!HaveDisplay())
        GTEST_SKIP() << "no display";
    std::string file = MakeFile(directory, "a.txt");
    const uint64_t original = LocalToUtcTicks(2019, 6, 15, 14, 30, 45);
    WriteTimes(file, original);
    std::vector<std::string> children;
    std::vector<int> counts, selections;
    std::string dayTen;
    LONG dialogStyle = 0, listStyle = 0;
    RECT client{}, templateSize{0, 0, 247, 57};
    auto inspect = [&](HWND dialog) {
        children = ChildTexts(dialog);
        dialogStyle = GetWindowLongA(dialog, GWL_STYLE);
        listStyle = GetWindowLongA(GetDlgItem(dialog, 1003), GWL_STYLE);
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &templateSize);
        for (int id = 1000; id <= 1005; ++id) {
            counts.push_back(static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0)));
            selections.push_back(
                static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)));
        }
        char text[32] = "";
        SendDlgItemMessageA(dialog, 1000, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(text));
        dayTen = text;
    };
    {
        WindowWatcher watcher("Choose Date/Time", [&](HWND dialog) {
            inspect(dialog);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        Invoke({file}, 5);
        EXPECT_TRUE(watcher.found);
    }
    EXPECT_EQ(original, ReadTimes(file).write);  // Cancel changes nothing
    // A drop-down list shows its selection as its text.
    EXPECT_EQ(
        (std::vector<std::string>{"Static:&Day:", "ComboBox:15", "Static:&Month:", "ComboBox:June",
                                  "Static:&Year:", "ComboBox:2019", "Static:&Hours:", "ComboBox:14",
                                  "Static:&Minutes:", "ComboBox:30",
                                  "Static:&Seconds:", "ComboBox:45", "Button:OK", "Button:Cancel"}),
        children);
    EXPECT_EQ((std::vector<int>{31, 12, 120, 24, 60, 60}), counts);
    EXPECT_EQ((std::vector<int>{14, 5, 2019 - 1980, 14, 30, 45}), selections);
    EXPECT_EQ("10", dayTen);
    EXPECT_EQ(0x80C800C0, static_cast<DWORD>(dialogStyle) & 0x80C800C0);
    // The list's own scroll bar goes to its drop-down part; the rest stays.
    EXPECT_EQ(0x50030903, static_cast<DWORD>(listStyle) & 0x50230903);
    EXPECT_EQ(templateSize.right, client.right);
    EXPECT_EQ(templateSize.bottom, client.bottom);

    {
        WindowWatcher watcher("Choose Date/Time", [&](HWND dialog) {
            const int chosen[] = {0, 0, 2021 - 1980, 8, 9, 10};  // 1 January 2021 08:09:10
            for (int i = 0; i < 6; ++i)
                SendDlgItemMessageA(dialog, 1000 + i, CB_SETCURSEL, chosen[i], 0);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        Invoke({file}, 5);
        EXPECT_TRUE(watcher.found);
    }
    Times times = ReadTimes(file);
    EXPECT_EQ(LocalToUtcTicks(2021, 1, 1, 8, 9, 10), times.write);
    // The last-access time is kept (Wine keeps no creation time of its own to compare).
    EXPECT_EQ(original, times.access);
}

}  // namespace

// The real module configures its logging when a process loads it: here regsvr32, whose
// user file "regsvr32.scrivlog.xml" in the profile directory sets the module's category
// to Debug, and which is asked for the configuration report as well.
TEST(WineShellExtLogging, ProcessAttachLoadsTheUserConfiguration) {
    testsupport::TemporaryDirectory profile;
    std::string directory = profile.Path().string();
    std::string trace = directory + "\\trace.log";
    std::string escaped;
    for (char c : trace)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    FILE* file = std::fopen((directory + "\\regsvr32.scrivlog.xml").c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fprintf(file,
                 "<logger:configuration>\n"
                 "  <appender name=\"Trace\" class=\"FileAppender\">\n"
                 "    <param name=\"File\" value=\"%s\"/>\n"
                 "    <layout class=\"PatternLayout\">"
                 "<param name=\"ConversionPattern\" value=\"%%-5p %%c{1}: %%m%%n\"/></layout>\n"
                 "  </appender>\n"
                 "  <category name=\"com.brenmoor.quillhaven.Tamarack\" additivity=\"false\">\n"
                 "    <priority value=\"Debug\"/><appender-ref ref=\"Trace\"/>\n"
                 "  </category>\n"
                 "  <root/>\n"
                 "</logger:configuration>\n",
                 escaped.c_str());
    std::fclose(file);

    struct Variable {
        const char* name;
        std::string saved;
    } variables[] = {{"USERPROFILE", {}}, {"TEMP", {}}, {"SCRIVLOG_DUMP_CONFIG", {}}};
    for (Variable& variable : variables) {
        char value[2048] = {};
        GetEnvironmentVariableA(variable.name, value, sizeof value);
        variable.saved = value;
    }
    SetEnvironmentVariableA("USERPROFILE", directory.c_str());
    SetEnvironmentVariableA("TEMP", directory.c_str());
    SetEnvironmentVariableA("SCRIVLOG_DUMP_CONFIG", "1");
    long result = Regsvr32("");
    for (Variable& variable : variables)
        SetEnvironmentVariableA(variable.name,
                                variable.saved.empty() ? nullptr : variable.saved.c_str());
    ASSERT_EQ(0, result);

    std::string log = testsupport::ReadFile(trace);
    EXPECT_EQ(0u, log.find("DEBUG Tamarack: AllocBitmap\r\nDEBUG Tamarack: hBitmap=")) << log;
    EXPECT_NE(std::string::npos, log.find("DEBUG Tamarack: DllRegisterServer entering...\r\n"
                                          "DEBUG Tamarack: Registering value 'CLSID\\" +
                                          ClassId + "':'Tamarack'...\r\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("DEBUG Tamarack: DllRegisterServer OK!\r\n")) << log;
    // The appenders stop first at unload, so FreeBitmap's line is written nowhere.
    EXPECT_EQ(std::string::npos, log.find("FreeBitmap")) << log;
    std::string dump = testsupport::ReadFile(directory + "\\ScrivlogConfigDump_Tamarack.log");
    EXPECT_EQ(0u, dump.find("Scrivlog configuration for 'Tamarack'\r\n\r\nLoggers(2):\r\n"))
        << dump;
}
