#include "alerts/regscript/win32/win32_registry_store.h"

#include <windows.h>

#include <vector>

namespace quellin::regscript::win32 {
namespace {

// The root keys' numbers are the 32-bit ones; a 64-bit build knows them sign-extended.
HKEY ToHkey(KeyRef key) {
  switch (static_cast<RootKey>(key)) {
    case RootKey::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RootKey::CurrentUser:
      return HKEY_CURRENT_USER;
    case RootKey::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RootKey::Users:
      return HKEY_USERS;
    case RootKey::PerformanceData:
      return HKEY_PERFORMANCE_DATA;
    case RootKey::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RootKey::DynData:
      return HKEY_DYN_DATA;
  }
  return reinterpret_cast<HKEY>(key);
}
KeyRef FromHkey(HKEY key) { return reinterpret_cast<KeyRef>(key); }

REGSAM ToSam(KeyAccess access) {
  switch (access) {
    case KeyAccess::All:
      return KEY_ALL_ACCESS;
    case KeyAccess::Read:
      return KEY_READ;
    case KeyAccess::ReadWrite:
      return KEY_READ | KEY_WRITE;
  }
  return KEY_READ;
}

// The default value is named by no name at all.
const char* ValueName(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }

}  // namespace

OpenedKey Win32RegistryStore::OpenKey(KeyRef parent, const std::string& name, KeyAccess access) {
  HKEY key = nullptr;
  const LONG error = ::RegOpenKeyExA(ToHkey(parent), name.c_str(), 0, ToSam(access), &key);
  return {error, error == ERROR_SUCCESS ? FromHkey(key) : kNoKey};
}

OpenedKey Win32RegistryStore::CreateKey(KeyRef parent, const std::string& name) {
  HKEY key = nullptr;
  const LONG error = ::RegCreateKeyExA(ToHkey(parent), name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return {error, error == ERROR_SUCCESS ? FromHkey(key) : kNoKey};
}

std::int32_t Win32RegistryStore::CloseKey(KeyRef key) { return ::RegCloseKey(ToHkey(key)); }

std::int32_t Win32RegistryStore::SetValue(KeyRef key, const std::string& name, ValueType type,
                                          std::span<const std::uint8_t> data) {
  return ::RegSetValueExA(ToHkey(key), ValueName(name), 0, static_cast<DWORD>(type), data.data(),
                          static_cast<DWORD>(data.size()));
}

std::int32_t Win32RegistryStore::DeleteValue(KeyRef key, const std::string& name) {
  return ::RegDeleteValueA(ToHkey(key), ValueName(name));
}

std::int32_t Win32RegistryStore::DeleteKey(KeyRef parent, const std::string& name) {
  return ::RegDeleteKeyA(ToHkey(parent), name.c_str());
}

EnumeratedName Win32RegistryStore::EnumKey(KeyRef key, std::uint32_t index, std::size_t capacity) {
  std::vector<char> buffer(capacity, '\0');
  DWORD length = static_cast<DWORD>(capacity);
  const LONG error =
      ::RegEnumKeyExA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (error != ERROR_SUCCESS) return {error, {}};
  return {0, std::string(buffer.data(), length)};
}

KeyCounts Win32RegistryStore::QueryInfoKey(KeyRef key) {
  DWORD subkeys = 0;
  DWORD values = 0;
  const LONG error = ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                        &values, nullptr, nullptr, nullptr, nullptr);
  if (error != ERROR_SUCCESS) return {error, 0, 0};
  return {0, subkeys, values};
}

EnumeratedName Win32RegistryStore::EnumValue(KeyRef key, std::uint32_t index, std::size_t capacity) {
  std::vector<char> buffer(capacity, '\0');
  DWORD length = static_cast<DWORD>(capacity);
  const LONG error =
      ::RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
  if (error != ERROR_SUCCESS) return {error, {}};
  return {0, std::string(buffer.data(), length)};
}

}  // namespace quellin::regscript::win32
