// The handler and its class factory on the stand-in shell: the entries each kind of
// selection gets, the flags, the COM rules, Initialize, the module's object count and
// the commands that do nothing.
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/shellext/ShellExtFixture.h"

namespace shellexttest {
namespace {

using CShellExtTest = ShellExtFixture;

// The entries of a file and of a folder are checked in real menus under Wine.
TEST_F(CShellExtTest, EachKindOfSelectionAndTheFlagsDecideTheEntries) {
    AddDirectory("C:\\data");
    AddFile("C:\\data\\a.txt");
    EXPECT_EQ(8, BuildMenu({"C:\\data\\a.txt", "C:\\data"}));
    EXPECT_EQ((std::vector<std::string>{"-", "100 B Shell (Current directory)", "-",
                                        "106 Touch selected files (cur date/time)",
                                        "107 Touch seledted files ...", "-"}),
              entries);
    // A drive root and a path the system cannot query both count as directories.
    AddDirectory("D:\\");
    for (const char* directory : {"C:\\data", "D:\\", "Q:\\gone"})
        EXPECT_EQ(4, BuildMenu({directory})) << directory;
    for (UINT flags : std::initializer_list<UINT>{CMF_NORMAL, CMF_EXPLORE, CMF_VERBSONLY,
                                                  CMF_VERBSONLY | CMF_DEFAULTONLY,
                                                  CMF_EXPLORE | CMF_NOVERBS, 0x10u})
        EXPECT_EQ(6, BuildMenu({"C:\\data\\a.txt"}, flags)) << flags;
    for (UINT flags :
         std::initializer_list<UINT>{CMF_DEFAULTONLY, CMF_NOVERBS, CMF_DEFAULTONLY | CMF_NOVERBS,
                                     CMF_OPTIMIZEFORINVOKE, CMF_OPTIMIZEFORINVOKE | CMF_EXPLORE}) {
        EXPECT_EQ(0, BuildMenu({"C:\\data\\a.txt"}, flags)) << flags;
        EXPECT_TRUE(entries.empty()) << flags;
    }
}

TEST_F(CShellExtTest, ComRulesObjectCountsInitializeAndUnknownCommands) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(S_OK, DllGetClassObject(tamarack::CLSID_DLLRegisterer, IID_IUnknown,
                                      reinterpret_cast<void**>(&factory)));
    EXPECT_EQ(S_FALSE, DllCanUnloadNow());

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

    // Initialize refuses background clicks and data without files.
    EXPECT_EQ(E_FAIL, init->Initialize(nullptr, nullptr, nullptr));
    StandInDataObject noFiles({"C:\\a.txt"}), files({"C:\\a.txt"});
    noFiles.hasDropData = false;
    EXPECT_EQ(E_FAIL, init->Initialize(nullptr, &noFiles, nullptr));
    EXPECT_EQ(0, shell.mediaReleased);
    // A second Initialize replaces the held object; the same object again is kept alive.
    EXPECT_EQ(S_OK, init->Initialize(nullptr, &files, nullptr));
    EXPECT_EQ(1, noFiles.references);
    EXPECT_EQ(S_OK, init->Initialize(nullptr, &files, nullptr));
    EXPECT_EQ(2, files.references);
    EXPECT_EQ(2, shell.mediaReleased);
    // A verb, a number above 16 bits (whatever its low bits say), and offsets past the last
    // run nothing; command strings are empty, a wide-text one (GCS_HELPTEXTW) not half so.
    CMINVOKECOMMANDINFO invocation{};
    for (uintptr_t verb : {reinterpret_cast<uintptr_t>("open"), uintptr_t{0x10003}, uintptr_t{8},
                           uintptr_t{9}, uintptr_t{0xFFFF}}) {
        invocation.lpVerb = reinterpret_cast<LPCSTR>(verb);
        EXPECT_EQ(S_OK, menu->InvokeCommand(&invocation));
    }
    EXPECT_EQ(S_OK, menu->InvokeCommand(nullptr));
    EXPECT_TRUE(shell.clipboardText.empty());
    EXPECT_TRUE(shell.programStarts.empty());
    EXPECT_TRUE(shell.messageBoxes.empty());
    EXPECT_EQ(0, shell.dialogsShown);
    char text[8] = "abc";
    EXPECT_EQ(S_OK, menu->GetCommandString(3, 0, nullptr, text, sizeof text));
    EXPECT_EQ('\0', text[0]);
    text[0] = 'x';
    EXPECT_EQ(S_OK, menu->GetCommandString(0, 0x5, nullptr, text, 4));
    EXPECT_EQ(0, text[0] | text[1]);
    EXPECT_EQ(2u, menu->Release());
    EXPECT_EQ(1u, init->Release());
    EXPECT_EQ(0u, unknown->Release());
    EXPECT_EQ(1, files.references);

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
}

}  // namespace
}  // namespace shellexttest
