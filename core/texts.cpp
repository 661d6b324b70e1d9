#include "core/texts.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "resources/resource_ids.h"

namespace quellin {
namespace {

struct TextEntry {
  std::uint16_t id;
  std::string_view text;
};

constexpr TextEntry kTexts[] = {
#define QUELLIN_TEXT(id, text) {id, text},
#include "resources/strings.inc"
#undef QUELLIN_TEXT
};

// Reads "%N!d!" at `pos`; on success gives the insert number and the length of the marker.
bool ParseInsert(std::string_view text, std::size_t pos, std::size_t& number, std::size_t& length) {
  std::size_t i = pos + 1;
  std::size_t n = 0;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 2) {
    n = n * 10 + static_cast<std::size_t>(text[i] - '0');
    ++i;
    ++digits;
  }
  if (digits == 0 || n == 0) return false;
  if (text.substr(i, 3) != "!d!") return false;
  number = n;
  length = i + 3 - pos;
  return true;
}

// The text as LoadText gives it, without a copy: the tick formats a tooltip every second.
std::string_view Lookup(std::uint16_t id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) return entry.text.substr(0, kMaxTextLength);
  }
  return {};
}

}  // namespace

std::string BuiltinTexts::LoadText(std::uint16_t id) const { return std::string(Lookup(id)); }

std::string BuiltinTexts::FormatText(std::uint16_t id, std::initializer_list<std::int32_t> values) const {
  const std::string_view text = Lookup(id);
  std::string result;
  result.reserve(text.size() + 16);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t number = 0;
    std::size_t length = 0;
    if (text[pos] == '%' && ParseInsert(text, pos, number, length)) {
      // An insert without a value fails the whole text, as the platform's formatter does.
      if (number > values.size()) return {};
      result += std::to_string(*(values.begin() + (number - 1)));
      pos += length;
    } else {
      result += text[pos++];
    }
  }
  return result;
}

}  // namespace quellin
