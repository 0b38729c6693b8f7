#include "shellext/DllExports.h"

#include <new>

#include "logging/core/CLogger.h"
#include "shellext/CDllIClassFactory.h"
#include "shellext/Module.h"
#include "shellext/Registration.h"

using namespace tamarack;

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** object) {
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllGetClassObject");
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(rclsid, CLSID_DLLRegisterer))
        return CLASS_E_CLASSNOTAVAILABLE;
    if (ModuleLogger)
        ModuleLogger->LogDebug("IsEqualIID(rclsid, CLSID_DLLRegisterer)");
    CDllIClassFactory* factory = new (std::nothrow) CDllIClassFactory;
    if (!factory)
        return E_OUTOFMEMORY;
    // Held while asking, so that a refused interface releases the new factory again.
    factory->AddRef();
    HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow() {
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllCanUnloadNow (cRefThisDll:%d)", RefThisDll);
    return RefThisDll == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    try {
        return RegisterServer();
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return UnregisterServer();
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    // Only "user" (regsvr32 /n /i:user, with /u to remove) is known: the rows go to the
    // user's own classes, so that no administrator is needed.
    const wchar_t* user = L"user";
    size_t i = 0;
    for (; commandLine && commandLine[i] && user[i]; ++i)
        if ((commandLine[i] | 0x20) != user[i])
            break;
    if (!commandLine || commandLine[i] || user[i])
        return E_INVALIDARG;
    try {
        return install ? RegisterServer(RegistrationScope::User)
                       : UnregisterServer(RegistrationScope::User);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
