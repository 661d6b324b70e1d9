#pragma once
// Result codes of the registration script interpreter: 32-bit, negative for a failure.
// The values are those the component runtime uses, so a caller may compare them with its own.
#include <cstdint>

namespace quellin::regscript {

using Result = std::int32_t;

namespace result {
constexpr Result Ok = 0;
constexpr Result DispException = static_cast<Result>(0x80020009u);
constexpr Result Fail = static_cast<Result>(0x80004005u);
constexpr Result OutOfMemory = static_cast<Result>(0x8007000Eu);
}  // namespace result

inline bool Failed(Result r) { return r < 0; }

// A positive system error becomes 0x8007xxxx with its low 16 bits; anything else is passed on.
constexpr Result FromSystemError(std::int32_t error) {
  constexpr std::uint32_t kWin32Facility = 0x80070000u;
  return error > 0 ? static_cast<Result>(kWin32Facility | (static_cast<std::uint32_t>(error) & 0xFFFFu))
                   : error;
}

}  // namespace quellin::regscript
