// The registry entries that make the shell load the handler: the COM class of
// CLSID_DLLRegisterer and one context-menu handler key per kind of shell object.
#pragma once

#include <string>

#include "platform/shell/ComTypes.h"

namespace tamarack {

// One row of a registration table; a row with a null root ends the table.
struct RegStruct {
    HKEY root;
    const char* key;        // "%s" becomes the class identifier text
    const char* valueName;  // null: the key's default value
    const char* data;       // "%s" becomes the module path or the class identifier text
};

extern const RegStruct ClassEntries[];
extern const RegStruct HandlerEntries[];
extern const RegStruct ClassRemovalEntries[];

// A GUID in its registry form: braced, upper case, 38 characters.
std::string GuidText(const GUID& guid);

// Where the rows go: HKEY_CLASSES_ROOT itself, or the same keys under the user's own
// HKEY_CURRENT_USER\Software\Classes (registration without administrator rights).
enum class RegistrationScope { Machine, User };

// Writes every row; S_OK, or SELFREG_E_CLASS at the first key that cannot be created
// or value that cannot be set (rows already written stay).
HRESULT RegisterServer(RegistrationScope scope = RegistrationScope::Machine);
// Deletes every key; S_OK, or SELFREG_E_CLASS at the first that cannot be deleted.
HRESULT UnregisterServer(RegistrationScope scope = RegistrationScope::Machine);

}  // namespace tamarack
