// The extension's keys, written and removed with the registry's own functions.
#include "shellext/win32/Registration.h"

#include <olectl.h>

#include <vector>

#include "core/ProductIdentity.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

namespace {

const std::string kClasses = "Software\\Classes\\";

std::string ClassKey() {
    return kClasses + "CLSID\\" + kExtensionClsid;
}
std::string HandlerKey(const char* folder) {
    return kClasses + "CLSID\\" + folder + "\\shellex\\ContextMenuHandlers\\" + kHandlerName;
}

// Creates the key and sets its values; every (name, text) pair is a string, "" the default.
LONG WriteKey(HKEY root, const std::string& path,
              const std::vector<std::pair<const char*, std::string>>& values) {
    HKEY opened = nullptr;
    LONG result = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &opened, nullptr);
    if (result != ERROR_SUCCESS) return result;
    const UniqueKey key(opened);
    for (const auto& [name, text] : values) {
        result = RegSetValueExA(key.Get(), *name ? name : nullptr, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1));
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}

LONG WriteAll(HKEY root, const std::string& dllPath) {
    LONG result = WriteKey(root, ClassKey(), {{"", std::string(kProductTitle) + " context menu"}});
    if (result == ERROR_SUCCESS)
        result = WriteKey(root, ClassKey() + "\\InprocServer32",
                          {{"", dllPath}, {"ThreadingModel", "Apartment"}});
    for (const char* folder : kNetworkFolderClsids)
        if (result == ERROR_SUCCESS)
            result = WriteKey(root, HandlerKey(folder), {{"", kExtensionClsid}});
    return result;
}

// Deletes one key that has no subkeys of its own; a key that is not there counts as removed.
bool RemoveKey(HKEY root, const std::string& path) {
    const LONG result = RegDeleteKeyA(root, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// Deletes the key if nothing is left in it, neither a subkey nor a value.
void RemoveIfEmpty(HKEY root, const std::string& path) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return;
    DWORD subkeys = 1, values = 1;
    const LONG result = RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                         nullptr, &values, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(opened);
    if (result == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyA(root, path.c_str());
}

bool RemoveAll(HKEY root) {
    bool removed = RemoveKey(root, ClassKey() + "\\InprocServer32");
    removed = RemoveKey(root, ClassKey()) && removed;
    for (const char* folder : kNetworkFolderClsids)
        removed = RemoveKey(root, HandlerKey(folder)) && removed;
    return removed;
}

// The keys above the handlers that registering for the user made: the user's classes hold no
// network folder of their own, so what is left empty there is ours.
void RemoveEmptyParents(HKEY user) {
    for (const char* folder : kNetworkFolderClsids) {
        const std::string clsid = kClasses + "CLSID\\" + folder;
        RemoveIfEmpty(user, clsid + "\\shellex\\ContextMenuHandlers");
        RemoveIfEmpty(user, clsid + "\\shellex");
        RemoveIfEmpty(user, clsid);
    }
}

}  // namespace

HRESULT RegisterExtension(HKEY machine, HKEY user, const std::string& dllPath) {
    // Written for the machine where that is allowed (elevated, or an administrator on XP);
    // otherwise for this user, whose classes Windows merges into the classes root.
    if (WriteAll(machine, dllPath) == ERROR_SUCCESS) return S_OK;
    RemoveAll(machine);  // no half registration left behind
    return WriteAll(user, dllPath) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterExtension(HKEY machine, HKEY user) {
    const bool machineDone = RemoveAll(machine);
    const bool userDone = RemoveAll(user);
    RemoveEmptyParents(user);
    // The machine's keys still there (no rights to remove them): the menu stays for every user,
    // which the caller must hear rather than a success.
    if (!machineDone) return E_ACCESSDENIED;
    return userDone ? S_OK : SELFREG_E_CLASS;
}

}  // namespace vt::win32
