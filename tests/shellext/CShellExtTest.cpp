// The handler and its class factory on the stand-in shell: the entries each kind of
// selection gets, the flags, the COM rules and the module's object count.
#include <initializer_list>
#include <string>
#include <vector>

#include "shellext/CDllIClassFactory.h"
#include "tests/shellext/ShellExtFixture.h"

namespace shellexttest {
namespace {

using platform::shell::StandInMenu;
using tamarack::ClipboardBitmap;
using tamarack::ShellBitmap;
using tamarack::TouchBitmap;

struct Expected {
    UINT id;  // 0 for a separator
    std::string text;
    HBITMAP bitmap;
};

class CShellExtTest : public ShellExtFixture {
  protected:
    // The menu that a handler for `paths` builds into a menu that already has one entry.
    HRESULT BuildMenu(const std::vector<std::string>& paths, StandInMenu& menu,
                      UINT flags = CMF_NORMAL) {
        menu.entries.assign(1, StandInMenu::Entry{0, 1, "Open", nullptr});
        StandInDataObject data(paths);
        IContextMenu* handler = HandlerFor(data);
        HRESULT result = handler->QueryContextMenu(menu.Handle(), 1, 100, 200, flags);
        handler->Release();
        EXPECT_EQ(1, data.references) << "the data object was not released";
        return result;
    }

    void ExpectEntries(const StandInMenu& menu, const std::vector<Expected>& expected) {
        ASSERT_EQ(expected.size() + 1, menu.entries.size());
        EXPECT_EQ("Open", menu.entries[0].text);  // the host's entry stays first
        for (size_t i = 0; i < expected.size(); ++i) {
            const StandInMenu::Entry& entry = menu.entries[i + 1];
            SCOPED_TRACE("position " + std::to_string(i + 1));
            if (expected[i].id == 0) {
                EXPECT_EQ(MF_SEPARATOR, entry.flags);
                continue;
            }
            EXPECT_EQ(MF_STRING, entry.flags);
            EXPECT_EQ(expected[i].id, entry.id);
            EXPECT_EQ(expected[i].text, entry.text);
            EXPECT_EQ(expected[i].bitmap, entry.bitmap);
        }
    }
};

TEST_F(CShellExtTest, EachKindOfSelectionGetsItsEntriesAndCount) {
    AddDirectory("C:\\data");
    AddFile("C:\\data\\a.txt");
    StandInMenu menu;

    EXPECT_EQ(4, BuildMenu({"C:\\data"}, menu));
    ExpectEntries(menu, {{0, "", nullptr},
                         {100, "Shell (Current directory)", ShellBitmap},
                         {101, "Shell (C:\\data)", ShellBitmap},
                         {102, "Copy to Clipboard (Current directory)", ClipboardBitmap},
                         {103, "Copy to Clipboard (C:\\data)", ClipboardBitmap},
                         {0, "", nullptr}});

    EXPECT_EQ(6, BuildMenu({"C:\\data\\a.txt"}, menu));
    ExpectEntries(menu, {{0, "", nullptr},
                         {100, "Shell (Current directory)", ShellBitmap},
                         {102, "Copy to Clipboard (Current directory)", ClipboardBitmap},
                         {103, "Copy to Clipboard (C:\\data\\a.txt)", ClipboardBitmap},
                         {0, "", nullptr},
                         {104, "Touch C:\\data\\a.txt (cur date/time)", TouchBitmap},
                         {105, "Touch C:\\data\\a.txt ...", TouchBitmap},
                         {0, "", nullptr}});

    EXPECT_EQ(8, BuildMenu({"C:\\data\\a.txt", "C:\\data"}, menu));
    ExpectEntries(menu, {{0, "", nullptr},
                         {100, "Shell (Current directory)", ShellBitmap},
                         {0, "", nullptr},
                         {106, "Touch selected files (cur date/time)", nullptr},
                         {107, "Touch seledted files ...", nullptr},
                         {0, "", nullptr}});

    // A drive root and a path the system cannot query both count as directories.
    AddDirectory("D:\\");
    EXPECT_EQ(4, BuildMenu({"D:\\"}, menu));
    EXPECT_EQ(4, BuildMenu({"Q:\\gone"}, menu));
}

TEST_F(CShellExtTest, FlagsDecideWhetherEntriesAreAdded) {
    AddFile("C:\\a.txt");
    StandInMenu menu;
    for (UINT flags : std::initializer_list<UINT>{CMF_NORMAL, CMF_EXPLORE, CMF_VERBSONLY,
                                                  CMF_VERBSONLY | CMF_DEFAULTONLY,
                                                  CMF_EXPLORE | CMF_NOVERBS, 0x10u}) {
        EXPECT_EQ(6, BuildMenu({"C:\\a.txt"}, menu, flags)) << flags;
        EXPECT_EQ(9u, menu.entries.size()) << flags;
    }
    for (UINT flags :
         std::initializer_list<UINT>{CMF_DEFAULTONLY, CMF_NOVERBS, CMF_DEFAULTONLY | CMF_NOVERBS,
                                     CMF_OPTIMIZEFORINVOKE, CMF_OPTIMIZEFORINVOKE | CMF_EXPLORE}) {
        EXPECT_EQ(0, BuildMenu({"C:\\a.txt"}, menu, flags)) << flags;
        EXPECT_EQ(1u, menu.entries.size()) << flags;
    }
}

TEST_F(CShellExtTest, LongPathsGiveCaptionsThatFitAndStayRecognisable) {
    std::string path = "C:\\" + std::string(240, 'x') + "\\" + std::string(11, 'y') + ".txt";
    ASSERT_EQ(259u, path.size());
    AddFile(path);
    StandInMenu menu;
    EXPECT_EQ(6, BuildMenu({path}, menu));
    for (const StandInMenu::Entry& entry : menu.entries)
        EXPECT_LE(entry.text.size(), 271u);
    const std::string& touch = menu.entries[6].text;
    EXPECT_EQ(271u, touch.size());
    EXPECT_EQ(0u, touch.rfind("Touch C:\\xxx", 0));
    EXPECT_NE(std::string::npos, touch.find("..."));
    EXPECT_NE(std::string::npos, touch.find("yyyy.txt (cur date/time)"));
    EXPECT_EQ("Touch " + path + " ...", menu.entries[7].text);  // this one fits whole
}

TEST_F(CShellExtTest, InitializeRefusesBackgroundClicksAndDataWithoutFiles) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IClassFactory,
                                      reinterpret_cast<void**>(&factory)));
    IShellExtInit* init = nullptr;
    ASSERT_EQ(S_OK,
              factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init)));
    factory->Release();

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
    EXPECT_EQ(2, files.references);
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
    EXPECT_EQ(4u, init->AddRef());
    EXPECT_EQ(3u, menu->Release());
    EXPECT_EQ(2u, init->Release());
    EXPECT_EQ(1u, unknown->Release());
    EXPECT_EQ(2, tamarack::RefThisDll);
    EXPECT_EQ(0u, init->Release());
    EXPECT_EQ(1, tamarack::RefThisDll);

    // Aggregation and unknown interfaces create nothing that stays.
    IUnknown* outer = factory;
    other = &other;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&other)));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory,
                                                     reinterpret_cast<void**>(&other)));
    EXPECT_EQ(1, tamarack::RefThisDll);
    EXPECT_EQ(E_NOINTERFACE, factory->QueryInterface(IID_IContextMenu, &other));
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

TEST_F(CShellExtTest, InvokeCommandIgnoresVerbsAndUnknownOffsets) {
    AddFile("C:\\data\\a.txt");
    StandInDataObject data({"C:\\data\\a.txt"});
    IContextMenu* handler = HandlerFor(data);
    static const char verb[] = "open";
    CMINVOKECOMMANDINFO invocation{};
    invocation.lpVerb = verb;
    EXPECT_EQ(S_OK, handler->InvokeCommand(&invocation));
    // A number above 16 bits is no offset either, whatever its low bits say.
    invocation.lpVerb = reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(0x10003));
    EXPECT_EQ(S_OK, handler->InvokeCommand(&invocation));
    for (uintptr_t offset : {8u, 9u, 0xFFFFu}) {
        invocation.lpVerb = reinterpret_cast<LPCSTR>(offset);
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
    EXPECT_EQ('\0', text[0]);
    EXPECT_EQ('\0', text[1]);
    handler->Release();
}

}  // namespace
}  // namespace shellexttest
