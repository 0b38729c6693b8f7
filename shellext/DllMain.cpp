// The module's entry point: keeps the instance handle and loads the menu bitmaps when
// a process loads it, frees them when it is unloaded. Loading never fails.
#include "platform/shell/ComTypes.h"
#include "shellext/Module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            tamarack::ModuleInstance = instance;
            tamarack::RefThisDll = 0;
            tamarack::AllocBitmap(instance);
            break;
        case DLL_PROCESS_DETACH:
            tamarack::FreeBitmap();
            break;
        default:
            break;
    }
    return TRUE;
}
