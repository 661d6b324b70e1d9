#pragma once
// A registry tree in memory. Names are compared without regard to (ASCII) case, subkeys are
// kept ordered by that comparison, values in the order they were first written. Access is
// checked as the registry checks it: values are written and subkeys created only through a
// key opened for writing.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "alerts/regscript/registry_store.h"

namespace quellin::regscript {

struct StoredValue {
  std::string name;
  ValueType type;
  std::vector<std::uint8_t> data;
};

struct StoreNode {
  std::string name;
  StoreNode* parent = nullptr;
  bool deleted = false;
  std::vector<std::shared_ptr<StoreNode>> subkeys;  // ordered by name without regard to case
  std::vector<StoredValue> values;
};

// Names compared as the store compares them.
bool SameStoreName(const std::string& a, const std::string& b);
bool StoreNameLess(const std::string& a, const std::string& b);

class MemoryStore final : public RegistryStore {
 public:
  MemoryStore();

  OpenedKey OpenKey(KeyRef parent, const std::string& name, KeyAccess access) override;
  OpenedKey CreateKey(KeyRef parent, const std::string& name) override;
  std::int32_t CloseKey(KeyRef key) override;
  std::int32_t SetValue(KeyRef key, const std::string& name, ValueType type,
                        std::span<const std::uint8_t> data) override;
  std::int32_t DeleteValue(KeyRef key, const std::string& name) override;
  std::int32_t DeleteKey(KeyRef parent, const std::string& name) override;
  EnumeratedName EnumKey(KeyRef key, std::uint32_t index, std::size_t capacity) override;
  KeyCounts QueryInfoKey(KeyRef key) override;
  EnumeratedName EnumValue(KeyRef key, std::uint32_t index, std::size_t capacity) override;

  const StoreNode& Root(RootKey root) const;
  // Keys opened and not yet closed: a run of the interpreter must leave none.
  std::size_t OpenHandles() const { return handles_.size(); }

 private:
  struct Handle {
    std::shared_ptr<StoreNode> node;
    bool writable;
  };
  // The node behind a key, or null; error says why not.
  StoreNode* Resolve(KeyRef key, bool* writable, std::int32_t* error);
  std::shared_ptr<StoreNode> FindSubkey(StoreNode& node, const std::string& name) const;
  OpenedKey NewHandle(std::shared_ptr<StoreNode> node, bool writable);

  std::map<RootKey, std::shared_ptr<StoreNode>> roots_;
  std::map<KeyRef, Handle> handles_;
  KeyRef nextHandle_ = 0x100;
};

}  // namespace quellin::regscript
