#pragma once
#include <windows.h>

#include "core/settings.h"
#include "shell/win32/handles.h"

namespace quellin::win32 {

// The settings key Software\KTX\Quellin of the current user in the registry.
class RegistryConfigStore final : public ConfigStore {
 public:
  long OpenKey() override;
  long ReadValue(const char* name, std::uint8_t (&data)[4]) override;
  long WriteDword(const char* name, std::uint32_t value) override;
  long CloseKey() override;

  static constexpr const char* kKeyPath = "Software\\KTX\\Quellin";

 private:
  RegistryKey key_;
};

}  // namespace quellin::win32
