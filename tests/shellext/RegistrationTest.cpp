// Registering on the stand-in registry (the entries themselves, both scopes and running
// twice are checked with regsvr32 under Wine): the module's path whole at any length, no
// key left open, the user scope's command line, and the walk stopping at the first key or
// value that fails.
#include <string>

#include "shellext/Registration.h"
#include "tests/shellext/ShellExtFixture.h"

namespace shellexttest {
namespace {

const std::string Class = "CLSID\\{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}";

std::string HandlerKey(const char* kind) {
    return std::string(kind) + "\\shellex\\ContextMenuHandlers\\Tamarack";
}

class RegistrationTest : public ShellExtFixture {
  protected:
    std::string Value(const std::string& key, const std::string& name = "") {
        const auto* values = shell.FindKey(key);
        if (!values)
            return "(no key)";
        auto found = values->find(name);
        return found == values->end() ? "(no value)" : found->second;
    }
    // Registers on an empty registry where the key `failing` cannot be created.
    HRESULT RegisterWithout(const std::string& failing) {
        shell.registry.clear();
        shell.keysThatCannotBeCreated = {platform::shell::StandInShellServices::KeyId(failing)};
        return DllRegisterServer();
    }
};

TEST_F(RegistrationTest, ThePathStaysWholeAndTheFirstFailureStopsTheWalk) {
    for (const wchar_t* commandLine :
         {L"", L"users", L"machine", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(E_INVALIDARG, DllInstall(TRUE, commandLine));
    EXPECT_TRUE(shell.registry.empty());
    shell.moduleFileName = "C:\\" + std::string(100, 'x') + "\\\u30C7\u30FC\u30BF " +
                           std::string(200, 'y') + "\\tamarack.dll";
    const std::string user = "HKEY_CURRENT_USER\\Software\\Classes\\";
    ASSERT_EQ(S_OK, DllInstall(TRUE, L"user"));
    EXPECT_EQ(shell.moduleFileName, Value(user + Class + "\\InProcServer32"));
    EXPECT_EQ(0, shell.openKeys) << "a key was left open";
    EXPECT_EQ(S_OK, DllInstall(FALSE, L"USER"));
    EXPECT_EQ(nullptr, shell.FindKey(user + Class));

    // A handler key that cannot be created: the rows before it stay, those after are not written.
    EXPECT_EQ(SELFREG_E_CLASS, RegisterWithout(HandlerKey("Directory")));
    EXPECT_EQ("Tamarack", Value(Class));
    EXPECT_EQ(Class.substr(6), Value(HandlerKey("AllFilesystemObjects")));
    EXPECT_EQ("(no key)", Value(HandlerKey("Drive")));
    // A class key that cannot be created stops before any handler row.
    EXPECT_EQ(SELFREG_E_CLASS, RegisterWithout(Class + "\\InProcServer32"));
    EXPECT_EQ("(no key)", Value(HandlerKey("*")));
    // A value that cannot be set is a failure, not a success.
    shell.valuesCanBeSet = false;
    EXPECT_EQ(SELFREG_E_CLASS, RegisterWithout(""));
    EXPECT_EQ("(no value)", Value(Class));
    EXPECT_EQ("(no key)", Value(HandlerKey("*")));
    EXPECT_EQ(0, shell.openKeys);
    // Without its module path the class is not registered at all.
    shell.valuesCanBeSet = true;
    shell.moduleFileName.clear();
    EXPECT_EQ(SELFREG_E_CLASS, RegisterWithout(""));
    EXPECT_TRUE(shell.registry.empty());

    // Unregistering stops at the first key that cannot be deleted (here: one with a subkey).
    shell.moduleFileName = "C:\\t.dll";
    ASSERT_EQ(S_OK, RegisterWithout(""));
    HKEY extra = nullptr;
    ASSERT_EQ(
        0, shell.CreateKey(HKEY_CLASSES_ROOT, (HandlerKey("Drive") + "\\extra").c_str(), &extra));
    shell.CloseKey(extra);
    EXPECT_EQ(SELFREG_E_CLASS, DllUnregisterServer());
    EXPECT_EQ(nullptr, shell.FindKey(HandlerKey("Directory\\background")));
    EXPECT_NE(nullptr, shell.FindKey(HandlerKey("Drive")));
    EXPECT_NE(nullptr, shell.FindKey(HandlerKey("Folder")));
}

}  // namespace
}  // namespace shellexttest
