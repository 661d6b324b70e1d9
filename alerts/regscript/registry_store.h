#pragma once
// The one narrow door through which the interpreter reaches the configuration store: the
// operations it calls, with the platform's error numbers (0 for success). The real registry
// serves the program, a tree in memory serves the tests and the developer tool.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quellin::regscript {

// An open key of the store; opaque to the interpreter. Root keys have the platform's fixed
// values and are never closed.
using KeyRef = std::uintptr_t;
constexpr KeyRef kNoKey = 0;

enum class RootKey : KeyRef {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
  PerformanceData = 0x80000004u,
  CurrentConfig = 0x80000005u,
  DynData = 0x80000006u,
};
constexpr KeyRef RootRef(RootKey root) { return static_cast<KeyRef>(root); }

enum class KeyAccess { All, Read, ReadWrite };

enum class ValueType : std::uint32_t { String = 1, Binary = 3, Dword = 4 };

namespace store_error {
constexpr std::int32_t FileNotFound = 2;
constexpr std::int32_t AccessDenied = 5;
constexpr std::int32_t InvalidHandle = 6;
constexpr std::int32_t InvalidParameter = 87;
constexpr std::int32_t MoreData = 234;
constexpr std::int32_t NoMoreItems = 259;
constexpr std::int32_t KeyDeleted = 1018;
}  // namespace store_error

// Sizes the interpreter hands to the enumerations, in bytes with the terminating NUL.
constexpr std::size_t kSubkeyNameBuffer = 256;
constexpr std::size_t kValueNameBuffer = 4096;

struct OpenedKey {
  std::int32_t error;
  KeyRef key;
};

struct EnumeratedName {
  std::int32_t error;
  std::string name;
};

struct KeyCounts {
  std::int32_t error;
  std::uint32_t subkeys;
  std::uint32_t values;
};

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  virtual OpenedKey OpenKey(KeyRef parent, const std::string& name, KeyAccess access) = 0;
  // Opens the key with all access, creating it when it is missing.
  virtual OpenedKey CreateKey(KeyRef parent, const std::string& name) = 0;
  virtual std::int32_t CloseKey(KeyRef key) = 0;
  // An empty name is the key's default value.
  virtual std::int32_t SetValue(KeyRef key, const std::string& name, ValueType type,
                                std::span<const std::uint8_t> data) = 0;
  virtual std::int32_t DeleteValue(KeyRef key, const std::string& name) = 0;
  // Deletes a key that has no subkeys, with its values.
  virtual std::int32_t DeleteKey(KeyRef parent, const std::string& name) = 0;
  // The name of subkey `index`; MoreData when it needs more than `capacity` bytes with its NUL.
  virtual EnumeratedName EnumKey(KeyRef key, std::uint32_t index, std::size_t capacity) = 0;
  virtual KeyCounts QueryInfoKey(KeyRef key) = 0;
  virtual EnumeratedName EnumValue(KeyRef key, std::uint32_t index, std::size_t capacity) = 0;
};

}  // namespace quellin::regscript
