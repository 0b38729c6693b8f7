#include "shellext/Registration.h"

#include <cstdio>
#include <string>

#include "logging/core/CLogger.h"
#include "platform/shell/ShellServices.h"
#include "shellext/MenuCommands.h"
#include "shellext/Module.h"

namespace tamarack {

using platform::shell::Services;
using platform::shell::ShellServices;

const RegStruct ClassEntries[] = {
    {HKEY_CLASSES_ROOT, "CLSID\\%s", nullptr, "Tamarack"},
    {HKEY_CLASSES_ROOT, "CLSID\\%s\\InProcServer32", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "CLSID\\%s\\InProcServer32", "ThreadingModel", "Apartment"},
    {nullptr, nullptr, nullptr, nullptr},
};

const RegStruct HandlerEntries[] = {
    {HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr,
     "%s"},
    {HKEY_CLASSES_ROOT, "Directory\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "Directory\\background\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr,
     "%s"},
    {HKEY_CLASSES_ROOT, "Drive\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "Folder\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "LibraryFolder\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {HKEY_CLASSES_ROOT, "LibraryLocation\\shellex\\ContextMenuHandlers\\Tamarack\\", nullptr, "%s"},
    {nullptr, nullptr, nullptr, nullptr},
};

const RegStruct ClassRemovalEntries[] = {
    {HKEY_CLASSES_ROOT, "CLSID\\%s\\InProcServer32", nullptr, nullptr},
    {HKEY_CLASSES_ROOT, "CLSID\\%s", nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

namespace {

// The root and key prefix that the rows of a table are written under.
struct Target {
    HKEY root;
    const char* prefix;
};

Target TargetOf(RegistrationScope scope) {
    return scope == RegistrationScope::User ? Target{HKEY_CURRENT_USER, "Software\\Classes\\"}
                                            : Target{HKEY_CLASSES_ROOT, ""};
}

// `pattern` with its "%s" replaced by `argument`, whole, whatever its length.
std::string Substitute(const char* pattern, const std::string& argument) {
    std::string text;
    for (const char* c = pattern; *c; ++c) {
        if (c[0] == '%' && c[1] == 's') {
            text += argument;
            ++c;
        } else {
            text += *c;
        }
    }
    return text;
}

// Writes the rows of one table; `logRows` traces them (the class table does).
bool WriteTable(ShellServices& services, Target target, const RegStruct* rows,
                const std::string& classId, const std::string& dataArgument, bool logRows) {
    for (const RegStruct* row = rows; row->root; ++row) {
        std::string key = target.prefix + Substitute(row->key, classId);
        HKEY opened = nullptr;
        long result = services.CreateKey(target.root, key.c_str(), &opened);
        if (result != 0) {
            if (logRows && ModuleLogger)
                ModuleLogger->LogError("Error while registering value '%s' (%s)", key.c_str(),
                                       SystemErrorText(static_cast<uint32_t>(result)).c_str());
            return false;
        }
        std::string data = Substitute(row->data, dataArgument);
        if (logRows && ModuleLogger)
            ModuleLogger->LogDebug("Registering value '%s':'%s'...", key.c_str(), data.c_str());
        bool written = services.SetStringValue(opened, row->valueName, data.c_str()) == 0;
        services.CloseKey(opened);
        if (!written)
            return false;
    }
    return true;
}

bool DeleteTable(ShellServices& services, Target target, const RegStruct* rows,
                 const std::string& classId, bool logRows) {
    for (const RegStruct* row = rows; row->root; ++row) {
        std::string key = target.prefix + Substitute(row->key, classId);
        if (services.DeleteKey(target.root, key.c_str()) != 0) {
            if (logRows && ModuleLogger)
                ModuleLogger->LogError("Error while deleting key %s.", key.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

std::string GuidText(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

HRESULT RegisterServer(RegistrationScope scope) {
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllRegisterServer entering...");
    ShellServices& services = Services();
    std::string classId = GuidText(CLSID_DLLRegisterer);
    std::string modulePath = services.ModuleFileName(ModuleInstance);
    // Without its own path the class would point nowhere.
    if (modulePath.empty())
        return SELFREG_E_CLASS;
    Target target = TargetOf(scope);
    if (!WriteTable(services, target, ClassEntries, classId, modulePath, true) ||
        !WriteTable(services, target, HandlerEntries, classId, classId, false))
        return SELFREG_E_CLASS;
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllRegisterServer OK!");
    return S_OK;
}

HRESULT UnregisterServer(RegistrationScope scope) {
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllUnregisterServer entering...");
    ShellServices& services = Services();
    std::string classId = GuidText(CLSID_DLLRegisterer);
    if (ModuleLogger)
        ModuleLogger->LogDebug("Enum RegStruct...");
    Target target = TargetOf(scope);
    if (!DeleteTable(services, target, ClassRemovalEntries, classId, true) ||
        !DeleteTable(services, target, HandlerEntries, classId, false))
        return SELFREG_E_CLASS;
    if (ModuleLogger)
        ModuleLogger->LogDebug("DllUnregisterServer OK!");
    return S_OK;
}

}  // namespace tamarack
