// The seam for the registry: a registry object on HKEY_LOCAL_MACHINE with one open key at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vt {

inline constexpr uint32_t kRegSz = 1;        // REG_SZ
inline constexpr uint32_t kRegExpandSz = 2;  // REG_EXPAND_SZ
inline constexpr uint32_t kRegDword = 4;     // REG_DWORD
inline constexpr uint32_t kRegMultiSz = 7;   // REG_MULTI_SZ

// Keys are opened with full access (KEY_ALL_ACCESS) by a path relative to HKEY_LOCAL_MACHINE; an
// existing key that refuses it for lack of rights is opened for reading.
// Errors that reach callers, with the value name in place of %s:
//   "Failed to set data for '%s'"   a string or integer write refused, or no key open; raised as
//                                   AccessDenied when the write or the key's opening was refused
//                                   for lack of rights;
//   "Invalid data type for '%s'"    a read of a value stored with another type;
//   "Failed to get data for '%s'"   a read of a value that is missing or cannot be read.
class Registry {
  public:
    virtual ~Registry() = default;

    // Opens the key, creating it first when `canCreate`; false when it cannot be opened
    // (then no key is open). Closes the key opened before.
    virtual bool OpenKey(const std::string& path, bool canCreate) = 0;
    virtual void CloseKey() = 0;

    virtual bool ValueExists(const std::string& name) = 0;
    virtual std::string ReadString(const std::string& name) = 0;  // REG_SZ or REG_EXPAND_SZ
    virtual int32_t ReadInteger(const std::string& name) = 0;     // REG_DWORD
    virtual void WriteString(const std::string& name, const std::string& value) = 0;  // REG_SZ
    virtual void WriteInteger(const std::string& name, int32_t value) = 0;            // REG_DWORD

    // RegSetValueEx and RegQueryValueEx on the open key, bytes as they are; false on failure.
    virtual bool SetRawValue(const std::string& name, uint32_t type, const std::string& data) = 0;
    virtual bool QueryRawValue(const std::string& name, uint32_t& type, std::string& data) = 0;
    // RegDeleteValue on the open key; false on failure (a value that is not there too).
    virtual bool DeleteValue(const std::string& name) = 0;

    // The names of the open key's subkeys, in the registry's order.
    virtual std::vector<std::string> GetKeyNames() = 0;
};

// Makes a fresh registry object for each use, as the callers create and free theirs.
class RegistryFactory {
  public:
    virtual ~RegistryFactory() = default;
    virtual std::unique_ptr<Registry> Create() = 0;
};

}  // namespace vt
