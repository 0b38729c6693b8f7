// The extension's diagnostic lines, written through the process's log factory as the
// module configures it at load. A program of its own: the factory and the logger
// handles are process-wide.
#include <gtest/gtest.h>

#include "tests/shellext/ShellExtFixture.h"
#include "tests/shellext/TracingProfile.h"

using ShellExtLogging = shellexttest::ShellExtFixture;

TEST_F(ShellExtLogging, AUserConfigurationAtDebugTracesTheHandler) {
    shellexttest::TracingProfile profile("shellext_logging_tests");
    profile.environment.Unset("SCRIVLOG_DUMP_CONFIG");
    tamarack::StartLogging();
    AddFile("C:\\data\\a.txt");
    EXPECT_EQ(6, BuildMenu({"C:\\data\\a.txt"}));
    shellexttest::StandInDataObject empty({});
    empty.hasDropData = false;
    IShellExtInit* init = NewHandler();
    EXPECT_EQ(E_FAIL, init->Initialize(nullptr, &empty, nullptr));
    init->Release();
    tamarack::StopLogging();

    std::string log = profile.Read();
    // The handler's lines of one right-click, in order, each under its own category.
    const char* expected[] = {
        "DEBUG ShellExt: CShellExt::Initialize\r\n"
        "DEBUG ShellExt: szFileName=C:\\data\\a.txt\r\n",
        "DEBUG ShellExt: CmdIndex=100, AppendItems:1, uFlags=00000000h\r\n"
        "DEBUG ShellExt: QueryContextMenu returns: 6 (NOERROR:0)\r\n",
        "DEBUG Tamarack: DllGetClassObject\r\n"
        "DEBUG Tamarack: IsEqualIID(rclsid, CLSID_DLLRegisterer)\r\n"
        "DEBUG DllIClassFactory: CDllIClassFactory::CDllIClassFactory (RefThisDll:1)\r\n",
        "DEBUG ShellExt: CShellExt::CShellExt (RefThisDll:2)\r\n",
        "ERROR ShellExt: CShellExt::Inititalize FAILED(hRes)\r\n",
    };
    size_t from = 0;
    for (const char* lines : expected) {
        size_t at = log.find(lines, from);
        EXPECT_NE(std::string::npos, at) << lines << "\nin:\n" << log;
        from = at == std::string::npos ? from : at;
    }
    // The user's category keeps the compiled-in reference too: the same lines reach the
    // rolling file in TEMP, in the compiled-in pattern.
    std::string defaultLog = profile.Read("Tamarack.log");
    EXPECT_NE(std::string::npos, defaultLog.find("[ERROR] [ShellExt       -")) << defaultLog;
    EXPECT_NE(std::string::npos, defaultLog.find("[DEBUG] [ShellExt       -")) << defaultLog;
    tamarack::ModuleLogger = tamarack::HandlerLogger = tamarack::FactoryLogger = nullptr;
}
