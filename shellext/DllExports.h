// The functions the module exports to COM and to the registration tool. The Windows
// SDK declares them; elsewhere they are declared here.
#pragma once

#include "platform/shell/ComTypes.h"

#ifndef _WIN32
STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** object);
STDAPI DllCanUnloadNow();
STDAPI DllRegisterServer();
STDAPI DllUnregisterServer();
#endif
// regsvr32 /n /i:user (install) and /u /n /i:user: registration for the current user
// only; any other command line is E_INVALIDARG.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine);
