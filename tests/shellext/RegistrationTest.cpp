// Registering and unregistering on the stand-in registry: the eleven entries, running
// twice, and the walk stopping at the first key or value that fails.
#include <functional>
#include <string>

#include "shellext/Registration.h"
#include "tests/shellext/ShellExtFixture.h"

namespace shellexttest {
namespace {

const std::string Class = "CLSID\\{7D3A5C21-94E8-4B6F-A1C2-5E8F0D4B9A63}";
const char* const HandlerKinds[] = {
    "*",      "AllFilesystemObjects", "Directory",      "Directory\\background", "Drive",
    "Folder", "LibraryFolder",        "LibraryLocation"};

class RegistrationTest : public ShellExtFixture {
  protected:
    std::string Value(const std::string& key, const std::string& name = "") {
        const auto* values = shell.FindKey(key);
        if (!values)
            return "(no key)";
        auto found = values->find(name);
        return found == values->end() ? "(no value)" : found->second;
    }
    static std::string HandlerKey(const char* kind) {
        return std::string(kind) + "\\shellex\\ContextMenuHandlers\\Tamarack";
    }
    // Registers on an empty registry where the key `failing` cannot be created.
    HRESULT RegisterWithout(const std::string& failing) {
        shell.registry.clear();
        shell.keysThatCannotBeCreated = {platform::shell::StandInShellServices::KeyId(failing)};
        return DllRegisterServer();
    }
};

// Machine-wide (DllRegisterServer) and for the user only (DllInstall "user"): the same
// eleven values, the module's path exact at any length, each scope leaving the other alone.
TEST_F(RegistrationTest, RegisterWritesElevenEntriesTwiceAndUnregisterRemovesThemOnce) {
    EXPECT_EQ(Class.substr(6), tamarack::GuidText(tamarack::CLSID_DLLRegisterer));
    shell.moduleFileName = "C:\\" + std::string(100, 'x') + "\\\u30C7\u30FC\u30BF " +
                           std::string(200, 'y') + "\\tamarack.dll";
    const std::string user = "HKEY_CURRENT_USER\\Software\\Classes\\";
    const struct {
        std::string prefix;
        std::function<HRESULT()> install, uninstall;
    } scopes[] = {{"", DllRegisterServer, DllUnregisterServer},
                  {user, [] { return DllInstall(TRUE, L"user"); },
                   [] { return DllInstall(FALSE, L"USER"); }}};
    for (const auto& scope : scopes) {
        for (int run = 0; run < 2; ++run) {
            ASSERT_EQ(S_OK, scope.install()) << run;
            EXPECT_EQ("Tamarack", Value(scope.prefix + Class));
            EXPECT_EQ(shell.moduleFileName, Value(scope.prefix + Class + "\\InProcServer32"));
            EXPECT_EQ("Apartment",
                      Value(scope.prefix + Class + "\\InProcServer32", "ThreadingModel"));
            for (const char* kind : HandlerKinds)
                EXPECT_EQ(Class.substr(6), Value(scope.prefix + HandlerKey(kind))) << kind;
            EXPECT_EQ(0, shell.openKeys) << "a key was left open";
        }
        for (const auto& key : shell.registry)
            EXPECT_EQ(!scope.prefix.empty(), key.first.rfind("hkey_current_user", 0) == 0)
                << key.first;
        EXPECT_EQ(S_OK, scope.uninstall());
        EXPECT_EQ(nullptr, shell.FindKey(scope.prefix + Class));
        for (const char* kind : HandlerKinds)
            EXPECT_EQ(nullptr, shell.FindKey(scope.prefix + HandlerKey(kind)));
        EXPECT_NE(nullptr, shell.FindKey(scope.prefix + "Directory\\shellex\\ContextMenuHandlers"));
        EXPECT_EQ(SELFREG_E_CLASS, scope.uninstall());
        shell.registry.clear();
    }
    for (const wchar_t* commandLine :
         {L"", L"users", L"machine", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(E_INVALIDARG, DllInstall(TRUE, commandLine));
    EXPECT_TRUE(shell.registry.empty());
}

TEST_F(RegistrationTest, FirstFailureStopsTheWalk) {
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
