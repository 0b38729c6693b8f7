// Registering and unregistering on the stand-in registry: the eleven entries, running
// twice, and the walk stopping at the first key or value that fails.
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

TEST_F(RegistrationTest, RegisterWritesElevenEntriesTwiceAndUnregisterRemovesThemOnce) {
    EXPECT_EQ(Class.substr(6), tamarack::GuidText(tamarack::CLSID_DLLRegisterer));
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(S_OK, DllRegisterServer()) << run;
        EXPECT_EQ("Tamarack", Value(Class));
        EXPECT_EQ(shell.moduleFileName, Value(Class + "\\InProcServer32"));
        EXPECT_EQ("Apartment", Value(Class + "\\InProcServer32", "ThreadingModel"));
        for (const char* kind : HandlerKinds)
            EXPECT_EQ(Class.substr(6), Value(HandlerKey(kind))) << kind;
        EXPECT_EQ(0, shell.openKeys) << "a key was left open";
    }
    EXPECT_EQ(S_OK, DllUnregisterServer());
    EXPECT_EQ(nullptr, shell.FindKey(Class));
    for (const char* kind : HandlerKinds)
        EXPECT_EQ(nullptr, shell.FindKey(HandlerKey(kind)));
    EXPECT_NE(nullptr, shell.FindKey("Directory\\shellex\\ContextMenuHandlers"));
    EXPECT_EQ(SELFREG_E_CLASS, DllUnregisterServer());
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
