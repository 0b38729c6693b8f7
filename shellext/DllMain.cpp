// The module's entry point: starts logging, keeps the instance handle and loads the menu
// bitmaps when a process loads it; stops logging and frees the bitmaps when it is
// unloaded. Loading never fails.
#include "platform/Udp.h"
#include "platform/shell/ComTypes.h"
#include "shellext/Module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            // Under the loader lock: logging must not start the network or wait for it.
            platform::SetInsideModuleLoader(true);
            tamarack::StartLogging();
            tamarack::ModuleInstance = instance;
            tamarack::RefThisDll = 0;
            tamarack::AllocBitmap(instance);
            platform::SetInsideModuleLoader(false);
            break;
        case DLL_PROCESS_DETACH:
            platform::SetInsideModuleLoader(true);
            tamarack::StopLogging();
            tamarack::FreeBitmap();
            break;
        default:
            break;
    }
    return TRUE;
}
