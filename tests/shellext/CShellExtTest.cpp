// The handler and its class factory on the stand-in shell: the entries each kind of
// selection gets, the flags, the COM rules and the module's object count.
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "tests/shellext/ShellExtFixture.h"

namespace shellexttest {
namespace {

using platform::shell::StandInMenu;

class CShellExtTest : public ShellExtFixture {
  protected:
    // What a handler for `paths` returns when it builds into a menu holding "Open"; the
    // menu is then in `entries`, one line each: "-" for a separator, else the id, the
    // bitmap (S, C or T for shell, clipboard or touch, - for none) and the caption.
    HRESULT BuildMenu(const std::vector<std::string>& paths, UINT flags = CMF_NORMAL) {
        StandInMenu menu;
        menu.entries.assign(1, StandInMenu::Entry{MF_STRING, 1, "Open", nullptr});
        StandInDataObject data(paths);
        IContextMenu* handler = HandlerFor(data);
        HRESULT result = handler->QueryContextMenu(menu.Handle(), 1, 100, 200, flags);
        handler->Release();
        EXPECT_EQ(1, data.references) << "the data object was not released";
        entries.clear();
        const std::map<HBITMAP, char> bitmaps{{tamarack::ShellBitmap, 'S'},
                                              {tamarack::ClipboardBitmap, 'C'},
                                              {tamarack::TouchBitmap, 'T'},
                                              {nullptr, '-'}};
        for (const StandInMenu::Entry& entry : menu.entries)
            entries.push_back(entry.flags == MF_SEPARATOR ? std::string("-")
                              : entry.flags != MF_STRING
                                  ? "flags " + std::to_string(entry.flags)
                                  : std::to_string(entry.id) + " " + bitmaps.at(entry.bitmap) +
                                        " " + entry.text);
        return result;
    }
    std::vector<std::string> entries;
};

TEST_F(CShellExtTest, EachKindOfSelectionGetsItsEntriesAndCount) {
    AddDirectory("C:\\data");
    AddFile("C:\\data\\a.txt");
    EXPECT_EQ(4, BuildMenu({"C:\\data"}));
    EXPECT_EQ((std::vector<std::string>{"1 - Open", "-", "100 S Shell (Current directory)",
                                        "101 S Shell (C:\\data)",
                                        "102 C Copy to Clipboard (Current directory)",
                                        "103 C Copy to Clipboard (C:\\data)", "-"}),
              entries);
    EXPECT_EQ(6, BuildMenu({"C:\\data\\a.txt"}));
    EXPECT_EQ((std::vector<std::string>{"1 - Open", "-", "100 S Shell (Current directory)",
                                        "102 C Copy to Clipboard (Current directory)",
                                        "103 C Copy to Clipboard (C:\\data\\a.txt)", "-",
                                        "104 T Touch C:\\data\\a.txt (cur date/time)",
                                        "105 T Touch C:\\data\\a.txt ...", "-"}),
              entries);
    EXPECT_EQ(8, BuildMenu({"C:\\data\\a.txt", "C:\\data"}));
    EXPECT_EQ((std::vector<std::string>{"1 - Open", "-", "100 S Shell (Current directory)", "-",
                                        "106 - Touch selected files (cur date/time)",
                                        "107 - Touch seledted files ...", "-"}),
              entries);
    // A drive root and a path the system cannot query both count as directories.
    AddDirectory("D:\\");
    EXPECT_EQ(4, BuildMenu({"D:\\"}));
    EXPECT_EQ(4, BuildMenu({"Q:\\gone"}));

    // A caption too long for its buffer is cut in the middle; one that fits stays whole.
    std::string path = "C:\\" + std::string(240, 'x') + "\\" + std::string(11, 'y') + ".txt";
    AddFile(path);
    EXPECT_EQ(6, BuildMenu({path}));
    EXPECT_EQ(6 + 271u, entries[6].size());
    EXPECT_NE(std::string::npos, entries[6].find("xxx...x")) << entries[6];
    EXPECT_EQ("105 T Touch " + path + " ...", entries[7]);
}

TEST_F(CShellExtTest, FlagsDecideWhetherEntriesAreAdded) {
    AddFile("C:\\a.txt");
    for (UINT flags : std::initializer_list<UINT>{CMF_NORMAL, CMF_EXPLORE, CMF_VERBSONLY,
                                                  CMF_VERBSONLY | CMF_DEFAULTONLY,
                                                  CMF_EXPLORE | CMF_NOVERBS, 0x10u}) {
        EXPECT_EQ(6, BuildMenu({"C:\\a.txt"}, flags)) << flags;
        EXPECT_EQ(9u, entries.size()) << flags;
    }
    for (UINT flags :
         std::initializer_list<UINT>{CMF_DEFAULTONLY, CMF_NOVERBS, CMF_DEFAULTONLY | CMF_NOVERBS,
                                     CMF_OPTIMIZEFORINVOKE, CMF_OPTIMIZEFORINVOKE | CMF_EXPLORE}) {
        EXPECT_EQ(0, BuildMenu({"C:\\a.txt"}, flags)) << flags;
        EXPECT_EQ(1u, entries.size()) << flags;
    }
}

TEST_F(CShellExtTest, InitializeRefusesBackgroundClicksAndDataWithoutFiles) {
    IShellExtInit* init = NewHandler();
    EXPECT_EQ(E_FAIL, init->Initialize(nullptr, nullptr, nullptr));
    StandInDataObject noFiles({"C:\\a.txt"});
    noFiles.hasDropData = false;
    EXPECT_EQ(E_FAIL, init->Initialize(nullptr, &noFiles, nullptr));
    EXPECT_EQ(1, noFiles.dataRequests);
    EXPECT_EQ(0, shell.mediaReleased);

    // A second Initialize replaces the held object; the same object again is kept alive.
    StandInDataObject files({"C:\\a.txt"});
    EXPECT_EQ(S_OK, init->Initialize(nullptr, &files, nullptr));
    EXPECT_EQ(1, noFiles.references);
    EXPECT_EQ(S_OK, init->Initialize(nullptr, &files, nullptr));
    EXPECT_EQ(2, files.references);
    EXPECT_EQ(2, shell.mediaReleased);
    init->Release();
    EXPECT_EQ(1, files.references);
}

TEST_F(CShellExtTest, InterfacesShareOneCountAndTheModuleCountsItsObjects) {
    EXPECT_EQ(S_OK, DllCanUnloadNow());
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IUnknown,
                                      reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_FALSE, DllCanUnloadNow());
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(1, tamarack::RefThisDll);

    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK,
              factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(2, tamarack::RefThisDll);
    IContextMenu* menu = nullptr;
    IShellExtInit* init = nullptr;
    ASSERT_EQ(S_OK, unknown->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    ASSERT_EQ(S_OK, menu->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)));
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(init));  // IUnknown is one face
    EXPECT_NE(static_cast<void*>(menu), static_cast<void*>(init));
    void* other = &other;
    EXPECT_EQ(E_NOINTERFACE, init->QueryInterface(IID_IClassFactory, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_POINTER, init->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(2u, menu->Release());
    EXPECT_EQ(1u, init->Release());
    EXPECT_EQ(0u, unknown->Release());
    EXPECT_EQ(1, tamarack::RefThisDll);

    // Null out-pointers, aggregation, unknown interfaces or classes create nothing that stays.
    EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_IUnknown, nullptr));
    EXPECT_EQ(E_POINTER, factory->QueryInterface(IID_IUnknown, nullptr));
    EXPECT_EQ(E_POINTER, DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IUnknown, nullptr));
    other = &other;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(factory, IID_IUnknown, reinterpret_cast<void**>(&other)));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory,
                                                     reinterpret_cast<void**>(&other)));
    EXPECT_EQ(E_NOINTERFACE, factory->QueryInterface(IID_IContextMenu, &other));
    EXPECT_EQ(1, tamarack::RefThisDll);
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(S_OK, DllCanUnloadNow());
    other = &other;
    CLSID otherClass = tamarack::CLSID_DLLRegisterer;
    otherClass.Data4[7] ^= 1;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, DllGetClassObject(otherClass, IID_IClassFactory, &other));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_NOINTERFACE,
              DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IContextMenu, &other));
    EXPECT_EQ(S_OK, DllCanUnloadNow());
}

TEST_F(CShellExtTest, VerbsAndUnknownOffsetsDoNothingAndCommandStringsAreEmpty) {
    AddFile("C:\\data\\a.txt");
    StandInDataObject data({"C:\\data\\a.txt"});
    IContextMenu* handler = HandlerFor(data);
    CMINVOKECOMMANDINFO invocation{};
    // A verb, a number above 16 bits (whatever its low bits say), and offsets past the last.
    for (uintptr_t verb : {reinterpret_cast<uintptr_t>("open"), uintptr_t{0x10003}, uintptr_t{8},
                           uintptr_t{9}, uintptr_t{0xFFFF}}) {
        invocation.lpVerb = reinterpret_cast<LPCSTR>(verb);
        EXPECT_EQ(S_OK, handler->InvokeCommand(&invocation));
    }
    EXPECT_EQ(S_OK, handler->InvokeCommand(nullptr));
    EXPECT_TRUE(shell.clipboardText.empty());
    EXPECT_TRUE(shell.programStarts.empty());
    EXPECT_TRUE(shell.messageBoxes.empty());
    EXPECT_EQ(0, shell.dialogsShown);
    EXPECT_EQ(1000u, shell.files["C:\\data\\a.txt"].times.lastWrite);

    char text[8] = "abc";
    for (UINT_PTR command : {0u, 3u, 7u, 99u}) {
        text[0] = 'x';
        EXPECT_EQ(S_OK, handler->GetCommandString(command, 0, nullptr, text, sizeof text));
        EXPECT_EQ('\0', text[0]);
    }
    // A wide-text request (GCS_HELPTEXTW) gets an empty wide text, not half of one.
    EXPECT_EQ(S_OK, handler->GetCommandString(0, 0x5, nullptr, text, 4));
    EXPECT_EQ(0, text[0] | text[1]);
    handler->Release();
}

}  // namespace
}  // namespace shellexttest
