// An in-memory HKEY_LOCAL_MACHINE with the registry object's rules, that records calls and can
// refuse a key or a value write.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vt::fakes {

class FakeRegistryStore {
  public:
    struct Value {
        uint32_t type = 0;
        std::string data;
        bool operator==(const Value&) const = default;
    };
    struct Key {
        std::vector<std::string> subkeys;     // in the order they were created
        std::map<std::string, Value> values;  // by folded name
        bool operator==(const Key&) const = default;
    };

    std::set<std::string> refusedKeys;    // paths that cannot be opened or created
    std::set<std::string> refusedValues;  // value names whose writes fail, in any key
    bool refusedForRights = false;        // refusals are for lack of rights (AccessDenied)
    std::vector<std::string> calls;       // "open PATH", "set NAME", ... in order
    std::function<void()> onWrite;        // runs before each value is set, when a test needs it

    Key* Find(const std::string& path);
    Key& Create(const std::string& path);
    void Seed(const std::string& path, const std::string& name, uint32_t type,
              const std::string& data);
    void SeedString(const std::string& path, const std::string& name, const std::string& text) {
        Seed(path, name, kRegSz, text + std::string(1, '\0'));
    }
    void SeedDword(const std::string& path, const std::string& name, uint32_t value);
    const Value* Get(const std::string& path, const std::string& name);

    static std::string Fold(const std::string& text);
    // Every key with its values, to compare a whole registry with an earlier one.
    const std::map<std::string, Key>& Keys() const { return keys_; }

  private:
    std::map<std::string, Key> keys_;  // by folded path
};

class FakeRegistry : public Registry {
  public:
    explicit FakeRegistry(FakeRegistryStore& store) : store_(store) {}

    bool OpenKey(const std::string& path, bool canCreate) override;
    void CloseKey() override { open_.clear(); }
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
    FakeRegistryStore::Key* OpenKeyData();
    [[noreturn]] void RaiseWriteFailed(const std::string& name) const;
    FakeRegistryStore& store_;
    std::string open_;
};

class FakeRegistryFactory : public RegistryFactory {
  public:
    FakeRegistryStore store;
    std::unique_ptr<Registry> Create() override { return std::make_unique<FakeRegistry>(store); }
};

}  // namespace vt::fakes
