// Seeds and reads Wine's real registry for tests: plain values, adapters, and present "Net"
// devices.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <string>

namespace vt::testing {

inline constexpr char kClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kConnectionsKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
inline constexpr char kEnumNetKey[] = "SYSTEM\\CurrentControlSet\\Enum\\ROOT\\NET";

inline bool SetValue(const std::string& path, const char* name, DWORD type,
                     const std::string& data) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

inline bool SetString(const std::string& path, const char* name, const std::string& text) {
    return SetValue(path, name, REG_SZ, text + std::string(1, '\0'));
}

inline bool SetDword(const std::string& path, const char* name, DWORD value) {
    return SetValue(path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

// The value's bytes as RegQueryValueExA gives them; "<missing>" when there is none.
inline std::string RawValue(const std::string& path, const char* name, DWORD& type) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    DWORD size = 0;
    std::string data;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.resize(size);
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    } else {
        data = "<missing>";
    }
    RegCloseKey(key);
    return data;
}

inline bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline void DeleteTree(const std::string& path) {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

// Creates the key with a security descriptor that grants nobody anything (an empty DACL), as
// a machine key looks to a user without administrator rights; `allow` gives everyone access back.
inline bool DenyAllAccess(const std::string& path, bool allow = false) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, allow ? nullptr : &empty, FALSE);
    const bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// An adapter: its class key (subkey of the network class), interfaces and connection key.
inline void SeedAdapter(const std::string& subkey, const std::string& id,
                        const std::string& lowerRange, const std::string& connectionName,
                        const std::string& pnpInstanceId) {
    const std::string classKey = std::string(kClassKey) + "\\" + subkey;
    SetString(classKey, "NetCfgInstanceId", id);
    SetString(classKey, "DriverDesc", "Seeded adapter " + subkey);
    SetString(classKey, "ProviderName", "Velmora Tests");
    SetString(classKey + "\\Ndi\\Interfaces", "LowerRange", lowerRange);
    const std::string connection = std::string(kConnectionsKey) + "\\" + id + "\\Connection";
    SetString(connection, "Name", connectionName);
    SetString(connection, "PnpInstanceID", pnpInstanceId);
    SetDword(connection, "MediaSubType", 1);
}

inline void RemoveAdapter(const std::string& subkey, const std::string& id) {
    DeleteTree(std::string(kClassKey) + "\\" + subkey);
    DeleteTree(std::string(kConnectionsKey) + "\\" + id);
}

// A present network device, listed by SetupAPI as ROOT\NET\<subkey>.
inline void SeedNetDevice(const std::string& subkey, const char* friendlyName) {
    const std::string path = std::string(kEnumNetKey) + "\\" + subkey;
    SetString(path, "ClassGUID", "{4D36E972-E325-11CE-BFC1-08002BE10318}");
    SetString(path, "Class", "Net");
    SetString(path, "DeviceDesc", "Seeded network device");
    if (friendlyName) SetString(path, "FriendlyName", friendlyName);
    SetValue(path, "HardwareID", REG_MULTI_SZ, std::string("root\\velmora\0\0", 14));
}

}  // namespace vt::testing
