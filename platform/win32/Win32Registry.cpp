// Registry reads and writes with the registry object's error texts.
#include "platform/win32/Win32Registry.h"

#include "base/Error.h"

namespace vt::win32 {

namespace {

[[noreturn]] void Raise(const char* what, const std::string& name) {
    throw Error(std::string(what) + " '" + name + "'");
}

}  // namespace

bool Win32Registry::OpenKey(const std::string& path, bool canCreate) {
    key_.Reset();
    HKEY key = nullptr;
    LONG result;
    if (canCreate)
        result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    else
        result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    // Without administrator rights (User Account Control) the key still reads; a write into it
    // is then refused for lack of rights, as it would be anyway.
    if (result == ERROR_ACCESS_DENIED && !canCreate)
        result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key);
    lastError_ = result;
    if (result != ERROR_SUCCESS) return false;
    key_.Reset(key);
    return true;
}

bool Win32Registry::ValueExists(const std::string& name) {
    return key_ && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                       ERROR_SUCCESS;
}

bool Win32Registry::QueryRawValue(const std::string& name, uint32_t& type, std::string& data) {
    if (!key_) return false;
    // One call for the usual short value; a longer one tells its size and is read again.
    data.assign(256, '\0');
    for (;;) {
        DWORD valueType = 0, size = static_cast<DWORD>(data.size());
        const LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &valueType,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_MORE_DATA) {
            data.assign(size, '\0');
            continue;
        }
        if (result != ERROR_SUCCESS) return false;
        data.resize(size);
        type = valueType;
        return true;
    }
}

std::string Win32Registry::ReadString(const std::string& name) {
    uint32_t type = 0;
    std::string data;
    if (!QueryRawValue(name, type, data)) Raise("Failed to get data for", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) Raise("Invalid data type for", name);
    const size_t end = data.find('\0');
    if (end != std::string::npos) data.resize(end);
    return data;
}

int32_t Win32Registry::ReadInteger(const std::string& name) {
    uint32_t type = 0;
    std::string data;
    if (!QueryRawValue(name, type, data)) Raise("Failed to get data for", name);
    if (type != REG_DWORD || data.size() != sizeof(DWORD)) Raise("Invalid data type for", name);
    DWORD value = 0;
    memcpy(&value, data.data(), sizeof value);
    return static_cast<int32_t>(value);
}

bool Win32Registry::SetRawValue(const std::string& name, uint32_t type, const std::string& data) {
    if (!key_) return false;  // the opening's own error stands
    lastError_ =
        RegSetValueExA(key_.Get(), name.c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    return lastError_ == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(const std::string& name) {
    return key_ && RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
}

void Win32Registry::RaiseWriteFailed(const std::string& name) const {
    const std::string text = "Failed to set data for '" + name + "'";
    if (lastError_ == ERROR_ACCESS_DENIED) throw AccessDenied(text);
    throw Error(text);
}

void Win32Registry::WriteString(const std::string& name, const std::string& value) {
    if (!SetRawValue(name, REG_SZ, std::string(value.c_str(), value.size() + 1)))
        RaiseWriteFailed(name);
}

void Win32Registry::WriteInteger(const std::string& name, int32_t value) {
    std::string data(sizeof(DWORD), '\0');
    memcpy(data.data(), &value, sizeof value);
    if (!SetRawValue(name, REG_DWORD, data)) RaiseWriteFailed(name);
}

std::vector<std::string> Win32Registry::GetKeyNames() {
    std::vector<std::string> names;
    if (!key_) return names;
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyA(key_.Get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::string buffer(longest + 1, '\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (RegEnumKeyExA(key_.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

}  // namespace vt::win32
