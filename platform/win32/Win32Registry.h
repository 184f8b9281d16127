// The registry object over the Windows registry functions, on HKEY_LOCAL_MACHINE with full access.
#pragma once

#include "platform/Registry.h"
#include "platform/win32/Handles.h"

namespace vt::win32 {

class Win32Registry : public Registry {
  public:
    bool OpenKey(const std::string& path, bool canCreate) override;
    void CloseKey() override { key_.Reset(); }
    bool ValueExists(const std::string& name) override;
    std::string ReadString(const std::string& name) override;
    int32_t ReadInteger(const std::string& name) override;
    void WriteString(const std::string& name, const std::string& value) override;
    void WriteInteger(const std::string& name, int32_t value) override;
    bool SetRawValue(const std::string& name, uint32_t type, const std::string& data) override;
    bool QueryRawValue(const std::string& name, uint32_t& type, std::string& data) override;
    bool DeleteValue(const std::string& name) override;
    std::vector<std::string> GetKeyNames() override;

  private:
    [[noreturn]] void RaiseWriteFailed(const std::string& name) const;

    UniqueKey key_;
    LONG lastError_ = ERROR_SUCCESS;  // of the last key opening or value write
};

class Win32RegistryFactory : public RegistryFactory {
  public:
    std::unique_ptr<Registry> Create() override { return std::make_unique<Win32Registry>(); }
};

}  // namespace vt::win32
