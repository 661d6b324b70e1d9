#pragma once
// Reads Tapline.dll's shared section where the loaded library has it, found by name in
// the module's section table: what every process that loads the library sees.
#include <windows.h>

#include <cstring>

#include "hook/hook_logic.h"

namespace tapline_test {

inline const tapline::SharedHookData* SharedSectionOf(HMODULE module) {
  if (module == nullptr) return nullptr;
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto* section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      reinterpret_cast<const BYTE*>(&nt->OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (std::memcmp(section->Name, ".sdata\0", 7) == 0 &&
        section->Misc.VirtualSize >= sizeof(tapline::SharedHookData)) {
      return reinterpret_cast<const tapline::SharedHookData*>(base + section->VirtualAddress);
    }
  }
  return nullptr;
}

inline const tapline::SharedHookData* LoadedSharedSection() {
  return SharedSectionOf(::GetModuleHandleA("Tapline.dll"));
}

}  // namespace tapline_test
