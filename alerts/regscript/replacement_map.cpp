#include "alerts/regscript/replacement_map.h"

#include <new>

namespace quellin::regscript {

Result CReplacementMap::AddReplacement(std::u16string_view name, std::u16string_view value) {
  // The room grows by doubling from ten entries; std::vector alone would pick its own steps.
  // Storage that cannot be had is the one failure this operation reports.
  try {
    if (entries_.capacity() == 0) {
      entries_.reserve(kInitialRoom);
    } else if (entries_.size() == entries_.capacity()) {
      entries_.reserve(entries_.capacity() * 2);
    }
    entries_.push_back({std::u16string(name), std::u16string(value)});
  } catch (const std::bad_alloc&) {
    return result::OutOfMemory;
  }
  return result::Ok;
}

std::optional<std::u16string> CReplacementMap::FindReplacement(const char* name) const {
  for (const Entry& entry : entries_) {
    if (codePage_.EqualNoCase(codePage_.FromUtf16(entry.name).c_str(), name)) return entry.value;
  }
  return std::nullopt;
}

void CReplacementMap::Clear() {
  entries_.clear();
  entries_.shrink_to_fit();
}

std::u16string QuoteForScript(std::u16string_view text) {
  std::u16string quoted;
  quoted.reserve(text.size());
  for (char16_t c : text) {
    quoted.push_back(c);
    if (c == u'\'') quoted.push_back(c);
  }
  return quoted;
}

}  // namespace quellin::regscript
