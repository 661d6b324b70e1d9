#include "alerts/regscript/memory_store.h"

#include <algorithm>

namespace quellin::regscript {
namespace {

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr RootKey kRoots[] = {RootKey::ClassesRoot,     RootKey::CurrentUser,   RootKey::LocalMachine,
                              RootKey::Users,           RootKey::PerformanceData, RootKey::CurrentConfig,
                              RootKey::DynData};

void MarkDeleted(StoreNode& node) {
  node.deleted = true;
  for (auto& sub : node.subkeys) MarkDeleted(*sub);
}

}  // namespace

bool SameStoreName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Fold(x) == Fold(y); });
}

bool StoreNameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Fold(x)) < static_cast<unsigned char>(Fold(y));
  });
}

MemoryStore::MemoryStore() {
  for (RootKey root : kRoots) roots_[root] = std::make_shared<StoreNode>();
}

const StoreNode& MemoryStore::Root(RootKey root) const { return *roots_.at(root); }

StoreNode* MemoryStore::Resolve(KeyRef key, bool* writable, std::int32_t* error) {
  for (RootKey root : kRoots) {
    if (key == RootRef(root)) {
      *writable = true;
      return roots_[root].get();
    }
  }
  const auto it = handles_.find(key);
  if (it == handles_.end()) {
    *error = store_error::InvalidHandle;
    return nullptr;
  }
  if (it->second.node->deleted) {
    *error = store_error::KeyDeleted;
    return nullptr;
  }
  *writable = it->second.writable;
  return it->second.node.get();
}

std::shared_ptr<StoreNode> MemoryStore::FindSubkey(StoreNode& node, const std::string& name) const {
  for (const auto& sub : node.subkeys) {
    if (SameStoreName(sub->name, name)) return sub;
  }
  return nullptr;
}

OpenedKey MemoryStore::NewHandle(std::shared_ptr<StoreNode> node, bool writable) {
  const KeyRef key = nextHandle_++;
  handles_.emplace(key, Handle{std::move(node), writable});
  return {0, key};
}

OpenedKey MemoryStore::OpenKey(KeyRef parent, const std::string& name, KeyAccess access) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(parent, &writable, &error);
  if (node == nullptr) return {error, kNoKey};
  std::shared_ptr<StoreNode> target;
  if (name.empty()) {
    // The key itself, as the registry answers an empty subkey name.
    for (RootKey root : kRoots) {
      if (roots_[root].get() == node) target = roots_[root];
    }
    if (!target) target = handles_.at(parent).node;
  } else {
    target = FindSubkey(*node, name);
  }
  if (!target) return {store_error::FileNotFound, kNoKey};
  return NewHandle(std::move(target), access != KeyAccess::Read);
}

OpenedKey MemoryStore::CreateKey(KeyRef parent, const std::string& name) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(parent, &writable, &error);
  if (node == nullptr) return {error, kNoKey};
  if (name.empty()) return OpenKey(parent, name, KeyAccess::All);
  if (auto existing = FindSubkey(*node, name)) return NewHandle(std::move(existing), true);
  if (!writable) return {store_error::AccessDenied, kNoKey};
  auto created = std::make_shared<StoreNode>();
  created->name = name;
  created->parent = node;
  const auto at = std::upper_bound(node->subkeys.begin(), node->subkeys.end(), name,
                                   [](const std::string& n, const auto& sub) { return StoreNameLess(n, sub->name); });
  node->subkeys.insert(at, created);
  return NewHandle(std::move(created), true);
}

std::int32_t MemoryStore::CloseKey(KeyRef key) {
  for (RootKey root : kRoots) {
    if (key == RootRef(root)) return 0;
  }
  return handles_.erase(key) == 1 ? 0 : store_error::InvalidHandle;
}

std::int32_t MemoryStore::SetValue(KeyRef key, const std::string& name, ValueType type,
                                   std::span<const std::uint8_t> data) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(key, &writable, &error);
  if (node == nullptr) return error;
  if (!writable) return store_error::AccessDenied;
  for (auto& value : node->values) {
    if (SameStoreName(value.name, name)) {
      value.type = type;
      value.data.assign(data.begin(), data.end());
      return 0;
    }
  }
  node->values.push_back({name, type, {data.begin(), data.end()}});
  return 0;
}

std::int32_t MemoryStore::DeleteValue(KeyRef key, const std::string& name) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(key, &writable, &error);
  if (node == nullptr) return error;
  if (!writable) return store_error::AccessDenied;
  const auto it = std::find_if(node->values.begin(), node->values.end(),
                               [&](const StoredValue& v) { return SameStoreName(v.name, name); });
  if (it == node->values.end()) return store_error::FileNotFound;
  node->values.erase(it);
  return 0;
}

std::int32_t MemoryStore::DeleteKey(KeyRef parent, const std::string& name) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(parent, &writable, &error);
  if (node == nullptr) return error;
  if (name.empty()) return store_error::InvalidParameter;
  const auto it = std::find_if(node->subkeys.begin(), node->subkeys.end(),
                               [&](const auto& sub) { return SameStoreName(sub->name, name); });
  if (it == node->subkeys.end()) return store_error::FileNotFound;
  if (!(*it)->subkeys.empty()) return store_error::AccessDenied;
  MarkDeleted(**it);
  node->subkeys.erase(it);
  return 0;
}

EnumeratedName MemoryStore::EnumKey(KeyRef key, std::uint32_t index, std::size_t capacity) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(key, &writable, &error);
  if (node == nullptr) return {error, {}};
  if (index >= node->subkeys.size()) return {store_error::NoMoreItems, {}};
  const std::string& name = node->subkeys[index]->name;
  if (name.size() + 1 > capacity) return {store_error::MoreData, {}};
  return {0, name};
}

KeyCounts MemoryStore::QueryInfoKey(KeyRef key) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(key, &writable, &error);
  if (node == nullptr) return {error, 0, 0};
  return {0, static_cast<std::uint32_t>(node->subkeys.size()), static_cast<std::uint32_t>(node->values.size())};
}

EnumeratedName MemoryStore::EnumValue(KeyRef key, std::uint32_t index, std::size_t capacity) {
  bool writable = false;
  std::int32_t error = 0;
  StoreNode* node = Resolve(key, &writable, &error);
  if (node == nullptr) return {error, {}};
  if (index >= node->values.size()) return {store_error::NoMoreItems, {}};
  const std::string& name = node->values[index].name;
  if (name.size() + 1 > capacity) return {store_error::MoreData, {}};
  return {0, name};
}

}  // namespace quellin::regscript
