#pragma once
// The real registry behind the interpreter's store interface. KeyRef values are HKEYs.
#include "alerts/regscript/registry_store.h"

namespace quellin::regscript::win32 {

class Win32RegistryStore final : public RegistryStore {
 public:
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
};

}  // namespace quellin::regscript::win32
