// The real tamarack.dll under Wine: registration with regsvr32, activation through the
// registry, real menus, file times, the clipboard, modifier keys, and (with a display)
// the message box and the date and time dialog as real windows.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/WideText.h"
#include "tests/shellext/TracingProfile.h"
#include "tools/tamarack-host/ExtensionClient.h"

namespace {

using platform::Utf8FromWide;
using platform::WideFilePath;
using platform::WideFromUtf8;
using tamarackhost::PressKeys;

const std::string ClassId = "{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}";
const char* const HandlerKinds[] = {
    "*",      "AllFilesystemObjects", "Directory",      "Directory\\background", "Drive",
    "Folder", "LibraryFolder",        "LibraryLocation"};

std::string DllPath() {
    wchar_t buffer[MAX_PATH];
    std::string path =
        Utf8FromWide(std::wstring(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH)));
    return path.substr(0, path.rfind('\\')) + "\\tamarack.dll";
}

// Runs regsvr32 silently with `options` on the DLL at `dll`, to its end: its exit code.
int Regsvr32(const std::string& options = "", const std::string& dll = DllPath()) {
    return _wsystem(WideFromUtf8("regsvr32.exe /s " + options + " \"" + dll + "\"").c_str());
}

// A text value of a key, or "(none)".
std::string RegistryValue(HKEY root, const std::string& key, const char* name = nullptr) {
    wchar_t data[4096];
    DWORD size = sizeof data;
    return RegGetValueW(root, WideFromUtf8(key).c_str(),
                        name ? WideFromUtf8(name).c_str() : nullptr, RRF_RT_REG_SZ, nullptr, data,
                        &size) == ERROR_SUCCESS
               ? Utf8FromWide(data)
               : "(none)";
}

// The eleven values that registration writes under `root`, in order.
std::vector<std::string> Entries(HKEY root) {
    const std::string classes = "Software\\Classes\\", server = classes + "CLSID\\" + ClassId;
    std::vector<std::string> values{
        RegistryValue(root, server), RegistryValue(root, server + "\\InProcServer32"),
        RegistryValue(root, server + "\\InProcServer32", "ThreadingModel")};
    for (const char* kind : HandlerKinds)
        values.push_back(
            RegistryValue(root, classes + kind + "\\shellex\\ContextMenuHandlers\\Tamarack"));
    return values;
}

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Creation, last-access and last-write time.
std::vector<uint64_t> TimesOf(const std::string& path) {
    FILETIME times[3] = {};
    EXPECT_TRUE(tamarackhost::ReadFileTimes(path.c_str(), times)) << path;
    return {Ticks(times[0]), Ticks(times[1]), Ticks(times[2])};
}

// The directory's path in UTF-8, which names of any script keep whole.
std::string PathOf(const testsupport::TemporaryDirectory& directory) {
    return Utf8FromWide(directory.Path().wstring());
}

// A new empty file (`name` in UTF-8) whose three times are `ticks`.
std::string MakeFile(const testsupport::TemporaryDirectory& directory, const std::string& name,
                     uint64_t ticks = 0) {
    std::string path = PathOf(directory) + "\\" + name;
    HANDLE file = CreateFileW(WideFilePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    EXPECT_TRUE(!ticks || SetFileTime(file, &time, &time, &time));
    CloseHandle(file);
    return path;
}

uint64_t LocalToUtcTicks(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0}, utc;
    EXPECT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    return Ticks(time);
}

// Runs `run` while a thread watches for a visible dialog window with `caption` and hands
// it to `act`; whether the window came.
bool WithWindow(const char* caption, const std::function<void(HWND)>& act,
                const std::function<void()>& run) {
    std::atomic<bool> stop{false}, found{false};
    std::thread watcher([&] {
        for (int i = 0; i < 500 && !stop && !found; ++i) {
            HWND window = FindWindowA("#32770", caption);
            if (window && IsWindowVisible(window)) {
                act(window);
                found = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    run();
    stop = true;
    watcher.join();
    return found;
}

class WineShellExtTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(0, Regsvr32()); }
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        PressKeys(false, false);
        CoUninitialize();
    }

    // Runs command `offset` on a handler of the registered class, created through COM and
    // initialised with `paths`.
    static void Invoke(const std::vector<std::string>& paths, int offset) {
        HRESULT result = E_FAIL;
        IContextMenu* handler = tamarackhost::CreateHandler(paths, result);
        ASSERT_NE(nullptr, handler) << result;
        EXPECT_EQ(S_OK, tamarackhost::InvokeOffset(handler, offset));
        handler->Release();
    }
    // The count that a handler for `paths` returns when it appends its entries with
    // `flags` to a menu holding "Open", then the menu's entries, one line each: "-" for a
    // separator, else the id, the extension's bitmap that the entry shows in brackets, and
    // the caption.
    static std::vector<std::string> MenuFor(const std::vector<std::string>& paths, UINT flags) {
        HRESULT result = E_FAIL;
        IContextMenu* handler = tamarackhost::CreateHandler(paths, result);
        if (!handler)
            return {"no handler: " + std::to_string(result)};
        HMENU menu = CreatePopupMenu();
        InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 1, "Open");
        std::vector<std::string> lines{
            std::to_string(HRESULT_CODE(handler->QueryContextMenu(menu, 1, 100, 200, flags)))};
        handler->Release();
        for (const tamarackhost::MenuEntry& entry : tamarackhost::ReadMenu(menu))
            lines.push_back(entry.separator
                                ? "-"
                                : std::to_string(entry.id) +
                                      (entry.bitmap.empty() ? "" : " [" + entry.bitmap + "]") +
                                      " " + entry.text);
        DestroyMenu(menu);
        return lines;
    }

    testsupport::TemporaryDirectory directory;
};

// Machine-wide from a folder with a Japanese name (its path is registered exactly), and
// for the user only with /n /i:user; each scope's eleven values alone, removed once.
TEST_F(WineShellExtTest, Regsvr32WritesElevenEntriesAndRemovesThemOnce) {
    std::string copy = PathOf(directory) + "\\\u767B\u9332 \u6E08\u307F";
    ASSERT_TRUE(CreateDirectoryW(WideFromUtf8(copy).c_str(), nullptr));
    copy += "\\tamarack.dll";
    ASSERT_TRUE(CopyFileW(WideFromUtf8(DllPath()).c_str(), WideFromUtf8(copy).c_str(), TRUE));
    const struct {
        std::string install, uninstall, dll;
        HKEY root, other;
    } scopes[] = {
        {"", "/u", copy, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
        {"/n /i:user", "/u /n /i:user", DllPath(), HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}};
    const std::vector<std::string> none(11, "(none)");
    ASSERT_EQ(0, Regsvr32("/u"));  // the suite's registration, so that each scope shows alone
    for (const auto& scope : scopes) {
        ASSERT_EQ(0, Regsvr32(scope.install, scope.dll));
        ASSERT_EQ(0, Regsvr32(scope.install, scope.dll));  // a second time over the first
        std::vector<std::string> installed{"Tamarack", scope.dll, "Apartment"};
        installed.resize(11, ClassId);
        EXPECT_EQ(installed, Entries(scope.root));
        EXPECT_EQ(none, Entries(scope.other));
        EXPECT_EQ(0, Regsvr32(scope.uninstall, scope.dll));
        EXPECT_EQ(none, Entries(scope.root));
        EXPECT_NE(0, Regsvr32(scope.uninstall, scope.dll));
    }
    ASSERT_EQ(0, Regsvr32());
}

// Appended after what the menu holds; the file menu is in the path table below, the other
// selections, the flags and the object count on the stand-in shell.
TEST_F(WineShellExtTest, AFolderGetsItsRealMenuAndTheModuleMayThenUnload) {
    std::string folder = PathOf(directory);
    EXPECT_EQ((std::vector<std::string>{"4", "1 Open", "-", "100 [shell] Shell (Current directory)",
                                        "101 [shell] Shell (" + folder + ")",
                                        "102 [clipboard] Copy to Clipboard (Current directory)",
                                        "103 [clipboard] Copy to Clipboard (" + folder + ")", "-"}),
              MenuFor({folder}, CMF_EXPLORE));
    auto canUnloadNow = reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("tamarack.dll"), "DllCanUnloadNow")));
    ASSERT_NE(nullptr, canUnloadNow);
    EXPECT_EQ(S_OK, canUnloadNow());
}

// Names in any script and paths past the classic length, in the code page the process
// runs in (TAMARACK_CODE_PAGE names the one expected): each selected path gets the file
// menu with its captions whole, its clipboard texts, and touch reaches that file alone.
TEST_F(WineShellExtTest, EveryPathGetsItsMenuClipboardTextsAndTouch) {
    char expected[16] = "";
    if (GetEnvironmentVariableA("TAMARACK_CODE_PAGE", expected, sizeof expected)) {
        ASSERT_EQ(std::atoi(expected), static_cast<int>(GetACP()));
    }
    const std::string folder = PathOf(directory);
    const std::string share = "\\\\localhost\\tamarack-c" + folder.substr(2);
    ASSERT_EQ("C:", folder.substr(0, 2));
    ASSERT_LT(folder.size(), 278u - 10);
    const uint64_t old = LocalToUtcTicks(2001, 2, 3, 4, 5, 6);
    const std::string longName(279 - folder.size() - 1, 'n');
    // Each name, its upper-case form, and the folder it is selected through.
    const struct {
        std::string name, upperName, through;
    } cases[] = {
        {"\u0101.txt", "\u0101.TXT", folder},
        {"\u65E5\u672C\u8A9E.txt", "\u65E5\u672C\u8A9E.TXT", folder},
        {"\U0001F600 \u7D75.txt", "\U0001F600 \u7D75.TXT", folder},
        {"\u30BD.txt", "\u30BD.TXT", folder},
        {"\u30C4x.txt", "\u30C4X.TXT", folder},
        {longName, std::string(longName.size(), 'N'), folder},
        {"b.txt", "B.TXT", "\\\\?\\" + folder},
        {"a.txt.", "A.TXT.", folder},
        {"b.txt", "B.TXT", share},  // the share that wine-unc-share.sh makes of drive C:
    };
    // Next to them, the files that the classic form of "a.txt." or a path cut at the
    // classic length would reach instead.
    std::vector<std::string> files{
        MakeFile(directory, "a.txt", old),
        MakeFile(directory, longName.substr(0, 259 - folder.size() - 1), old)};
    for (const auto& c : cases)
        files.push_back(MakeFile(directory, c.name, old));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(WideFromUtf8(share).c_str()))
        << "no share \\\\localhost\\tamarack-c";
    auto quoted = [](const std::string& text) {
        return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
    };
    for (const auto& c : cases) {
        const std::string file = folder + "\\" + c.name;
        const std::string path = c.through + "\\" + c.name;
        std::vector<std::string> lines = MenuFor({path}, CMF_NORMAL);
        ASSERT_EQ(10u, lines.size());
        std::string dir = path.substr(0, path.rfind('\\'));
        if (path.size() + 20 <= 271) {
            EXPECT_EQ((std::vector<std::string>{
                          "6", "1 Open", "-", "100 [shell] Shell (Current directory)",
                          "102 [clipboard] Copy to Clipboard (Current directory)",
                          "103 [clipboard] Copy to Clipboard (" + path + ")", "-",
                          "104 [touch] Touch " + path + " (cur date/time)",
                          "105 [touch] Touch " + path + " ...", "-"}),
                      lines);
        } else {  // shortened in the middle, to the menu's 271 characters
            EXPECT_EQ(271u, platform::Utf16FromUtf8(lines[5].substr(16)).size()) << lines[5];
            EXPECT_NE(std::string::npos, lines[5].find("n...n")) << lines[5];
        }
        std::vector<std::string> texts;
        for (int keys = 0; keys < 4; ++keys) {
            PressKeys(keys >= 1, keys == 2);
            Invoke({path}, keys == 3 ? 2 : 3);
            std::string text = "(no text)";
            tamarackhost::ReadClipboardText(text);
            texts.push_back(text);
        }
        EXPECT_EQ((std::vector<std::string>{quoted(path), quoted(c.name), quoted(c.upperName),
                                            quoted(dir)}),
                  texts);
        FILETIME before;
        GetSystemTimeAsFileTime(&before);
        Invoke({path}, 4);
        // All three times are now (the clock's resolution aside), in that file alone.
        std::vector<uint64_t> touched = TimesOf(file);
        EXPECT_EQ(std::vector<uint64_t>(3, touched[2]), touched);
        EXPECT_GE(touched[2] + 10000000, Ticks(before));
        EXPECT_LT(touched[2], Ticks(before) + 600000000ULL);
        for (const std::string& other : files)
            EXPECT_EQ(other == file, TimesOf(other)[2] != old) << path << " touched " << other;
        MakeFile(directory, c.name, old);
    }
    // Removed here: the temporary directory's clean-up takes names in the classic form.
    DeleteFileW(WideFilePath(folder + "\\a.txt.").c_str());
}

TEST_F(WineShellExtTest, TouchFailureBoxAndDateTimeDialogAreRealWindows) {
    if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0)
        GTEST_SKIP() << "no display";
    const uint64_t original = LocalToUtcTicks(2019, 6, 5, 4, 3, 7) + 1234567;  // and 0.12 s
    std::string file = MakeFile(directory, "a.txt", original);
    // The text of the "Tamarack" box that `run` shows, closed.
    auto boxText = [&](const std::function<void()>& run) {
        std::string text = "(no box)";
        WithWindow(
            "Tamarack",
            [&](HWND box) {
                char buffer[1024] = "";
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                text = buffer;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            },
            run);
        return text;
    };
    // The system's text for an error, without its closing line break.
    auto reason = [](DWORD code) {
        char buffer[512] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, sizeof buffer, nullptr);
        return std::string(buffer, std::strcspn(buffer, "\r\n"));
    };
    HANDLE holder = CreateFileW(WideFromUtf8(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_EQ(
        "Unable to touch file '" + file + "' (Open: " + reason(ERROR_SHARING_VIOLATION) + ").",
        boxText([&] { Invoke({file}, 4); }));
    CloseHandle(holder);
    // A shell that cannot start in its directory, whose short form too is too long for a
    // process, is reported in the same box (and not started elsewhere).
    std::string deep = PathOf(directory);
    for (int i = 0; i < 40; ++i) {
        deep += "\\abcdefgh";
        ASSERT_TRUE(CreateDirectoryW(WideFilePath(deep).c_str(), nullptr));
    }
    EXPECT_EQ(
        "Unable to open a shell in '" + deep + "' (" + reason(ERROR_FILENAME_EXCED_RANGE) + ").",
        boxText([&] { Invoke({deep}, 1); }));

    // The dialog offers the file's time; OK with the values as offered keeps it exactly, its
    // fraction of a second too (Cancel, changing nothing, looks the same from outside).
    auto dialog = [&](const std::function<void(HWND)>& act) {
        return WithWindow("Choose Date/Time", act, [&] { Invoke({file}, 5); });
    };
    std::vector<std::string> children;
    EXPECT_TRUE(dialog([&](HWND dialog) {
        // Each child window as "class id:text".
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char text[256] = "", name[64] = "";
            GetWindowTextA(child, text, sizeof text);
            GetClassNameA(child, name, sizeof name);
            children.push_back(std::string(name) + " " + std::to_string(GetDlgCtrlID(child)) + ":" +
                               text);
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(original, TimesOf(file)[2]);
    // A drop-down list shows its selection as its text: the lists are in their natural
    // order (not sorted as texts) and of two digits from hours on.
    EXPECT_EQ(
        (std::vector<std::string>{
            "Static 65535:&Day:", "ComboBox 1000:5", "Static 65535:&Month:", "ComboBox 1001:June",
            "Static 65535:&Year:", "ComboBox 1002:2019", "Static 65535:&Hours:", "ComboBox 1003:04",
            "Static 65535:&Minutes:", "ComboBox 1004:03",
            "Static 65535:&Seconds:", "ComboBox 1005:07", "Button 1:OK", "Button 2:Cancel"}),
        children);

    // OK stamps the chosen last-write time and keeps the last-access time (Wine keeps no
    // creation time of its own to compare).
    EXPECT_TRUE(dialog([](HWND dialog) {
        const int chosen[] = {0, 0, 2021 - 1980, 8, 9, 10};  // 1 January 2021 08:09:10
        for (int i = 0; i < 6; ++i)
            SendDlgItemMessageA(dialog, 1000 + i, CB_SETCURSEL, chosen[i], 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    std::vector<uint64_t> times = TimesOf(file);
    EXPECT_EQ(LocalToUtcTicks(2021, 1, 1, 8, 9, 10), times[2]);
    EXPECT_EQ(original, times[1]);
}

}  // namespace

// The real module configures its logging when a process loads it: here regsvr32, whose
// user file "regsvr32.scrivlog.xml" in the profile directory sets the module's category
// to Debug, and which is asked for the configuration report as well.
TEST(WineShellExtLogging, ProcessAttachLoadsTheUserConfiguration) {
    shellexttest::TracingProfile profile("regsvr32");
    profile.environment.Set("SCRIVLOG_DUMP_CONFIG", "1");
    ASSERT_EQ(0, Regsvr32());
    std::string log = profile.Read();
    EXPECT_EQ(0u, log.find("DEBUG Tamarack: AllocBitmap\r\nDEBUG Tamarack: hBitmap=")) << log;
    EXPECT_NE(std::string::npos, log.find("DEBUG Tamarack: DllRegisterServer entering...\r\n"
                                          "DEBUG Tamarack: Registering value 'CLSID\\" +
                                          ClassId + "':'Tamarack'...\r\n"))
        << log;
    EXPECT_NE(std::string::npos, log.find("DEBUG Tamarack: DllRegisterServer OK!\r\n")) << log;
    // The appenders stop first at unload, so FreeBitmap's line is written nowhere.
    EXPECT_EQ(std::string::npos, log.find("FreeBitmap")) << log;
    std::string dump = profile.Read("ScrivlogConfigDump_Tamarack.log");
    EXPECT_EQ(0u, dump.find("Scrivlog configuration for 'Tamarack'\r\n\r\nLoggers(2):\r\n"))
        << dump;
}
