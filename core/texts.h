#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

namespace quellin {

// The string table: on Windows the program's string resources, elsewhere the same table
// compiled in. Missing ids and failed formatting give empty strings, never an error.
class TextSource {
 public:
  virtual ~TextSource() = default;
  // At most 511 characters; a longer text comes back cut.
  virtual std::string LoadText(std::uint16_t id) const = 0;
  // Replaces %1!d!, %2!d!, ... with the values as signed decimal numbers.
  virtual std::string FormatText(std::uint16_t id, std::initializer_list<std::int32_t> values) const = 0;
};

// The table of resources/strings.inc with an expansion of its own.
class BuiltinTexts final : public TextSource {
 public:
  std::string LoadText(std::uint16_t id) const override;
  std::string FormatText(std::uint16_t id, std::initializer_list<std::int32_t> values) const override;
};

// The longest text LoadText returns (the platform loads into 512 characters).
inline constexpr std::size_t kMaxTextLength = 511;

}  // namespace quellin
