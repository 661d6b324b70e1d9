#include "shell/win32/registry_config_store.h"

namespace quellin::win32 {

long RegistryConfigStore::OpenKey() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG status = ::RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (status == ERROR_SUCCESS) key_.reset(key);
  return status;
}

long RegistryConfigStore::ReadValue(const char* name, std::uint8_t (&data)[4]) {
  if (!key_) return ERROR_INVALID_HANDLE;
  DWORD size = sizeof data;
  // A value of another type is read all the same: only the size and the read's success
  // decide, and a value longer than the buffer fails with ERROR_MORE_DATA.
  return ::RegQueryValueExA(key_.get(), name, nullptr, nullptr, data, &size);
}

long RegistryConfigStore::WriteDword(const char* name, std::uint32_t value) {
  if (!key_) return ERROR_INVALID_HANDLE;
  const DWORD data = value;
  return ::RegSetValueExA(key_.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

long RegistryConfigStore::CloseKey() {
  if (!key_) return ERROR_INVALID_HANDLE;
  return ::RegCloseKey(key_.release());
}

}  // namespace quellin::win32
