// The in-memory registry's keys, values and error texts.
#include "tests/fakes/FakeRegistry.h"

#include "base/AnsiText.h"
#include "base/Error.h"

namespace vt::fakes {

std::string FakeRegistryStore::Fold(const std::string& text) {
    return FoldCase(text);
}

FakeRegistryStore::Key* FakeRegistryStore::Find(const std::string& path) {
    const auto it = keys_.find(Fold(path));
    return it == keys_.end() ? nullptr : &it->second;
}

FakeRegistryStore::Key& FakeRegistryStore::Create(const std::string& path) {
    if (Key* key = Find(path)) return *key;
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        Create(path.substr(0, slash)).subkeys.push_back(path.substr(slash + 1));
    return keys_[Fold(path)];
}

void FakeRegistryStore::Seed(const std::string& path, const std::string& name, uint32_t type,
                             const std::string& data) {
    Create(path).values[Fold(name)] = Value{type, data};
}

void FakeRegistryStore::SeedDword(const std::string& path, const std::string& name,
                                  uint32_t value) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    Seed(path, name, kRegDword, data);
}

const FakeRegistryStore::Value* FakeRegistryStore::Get(const std::string& path,
                                                       const std::string& name) {
    Key* key = Find(path);
    if (!key) return nullptr;
    const auto it = key->values.find(Fold(name));
    return it == key->values.end() ? nullptr : &it->second;
}

bool FakeRegistry::OpenKey(const std::string& path, bool canCreate) {
    open_.clear();
    store_.calls.push_back((canCreate ? "create " : "open ") + path);
    if (store_.refusedKeys.count(FakeRegistryStore::Fold(path))) return false;
    if (!store_.Find(path)) {
        if (!canCreate) return false;
        store_.Create(path);
    }
    open_ = path;
    return true;
}

FakeRegistryStore::Key* FakeRegistry::OpenKeyData() {
    return open_.empty() ? nullptr : store_.Find(open_);
}

bool FakeRegistry::ValueExists(const std::string& name) {
    FakeRegistryStore::Key* key = OpenKeyData();
    return key && key->values.count(FakeRegistryStore::Fold(name));
}

std::string FakeRegistry::ReadString(const std::string& name) {
    const FakeRegistryStore::Value* value = open_.empty() ? nullptr : store_.Get(open_, name);
    if (!value) throw Error("Failed to get data for '" + name + "'");
    if (value->type != kRegSz && value->type != kRegExpandSz)
        throw Error("Invalid data type for '" + name + "'");
    const size_t end = value->data.find('\0');
    return value->data.substr(0, end);
}

int32_t FakeRegistry::ReadInteger(const std::string& name) {
    const FakeRegistryStore::Value* value = open_.empty() ? nullptr : store_.Get(open_, name);
    if (!value) throw Error("Failed to get data for '" + name + "'");
    if (value->type != kRegDword || value->data.size() != 4)
        throw Error("Invalid data type for '" + name + "'");
    uint32_t result = 0;
    for (int i = 3; i >= 0; --i)
        result = (result << 8) | static_cast<unsigned char>(value->data[i]);
    return static_cast<int32_t>(result);
}

void FakeRegistry::RaiseWriteFailed(const std::string& name) const {
    const std::string text = "Failed to set data for '" + name + "'";
    if (store_.refusedForRights) throw AccessDenied(text);
    throw Error(text);
}

void FakeRegistry::WriteString(const std::string& name, const std::string& value) {
    if (!SetRawValue(name, kRegSz, value + std::string(1, '\0'))) RaiseWriteFailed(name);
}

void FakeRegistry::WriteInteger(const std::string& name, int32_t value) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    if (!SetRawValue(name, kRegDword, data)) RaiseWriteFailed(name);
}

bool FakeRegistry::SetRawValue(const std::string& name, uint32_t type, const std::string& data) {
    store_.calls.push_back("set " + name);
    if (store_.onWrite) store_.onWrite();
    FakeRegistryStore::Key* key = OpenKeyData();
    if (!key || store_.refusedValues.count(FakeRegistryStore::Fold(name))) return false;
    key->values[FakeRegistryStore::Fold(name)] = {type, data};
    return true;
}

bool FakeRegistry::QueryRawValue(const std::string& name, uint32_t& type, std::string& data) {
    const FakeRegistryStore::Value* value = open_.empty() ? nullptr : store_.Get(open_, name);
    if (!value) return false;
    type = value->type;
    data = value->data;
    return true;
}

bool FakeRegistry::DeleteValue(const std::string& name) {
    store_.calls.push_back("delete " + name);
    FakeRegistryStore::Key* key = OpenKeyData();
    if (!key || store_.refusedValues.count(FakeRegistryStore::Fold(name))) return false;
    return key->values.erase(FakeRegistryStore::Fold(name)) == 1;
}

std::vector<std::string> FakeRegistry::GetKeyNames() {
    FakeRegistryStore::Key* key = OpenKeyData();
    return key ? key->subkeys : std::vector<std::string>{};
}

}  // namespace vt::fakes
