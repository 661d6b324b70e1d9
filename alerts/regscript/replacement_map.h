#pragma once
// The %NAME% replacements of a run: name and value pairs in UTF-16, looked up in the order they
// were added.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/result.h"

namespace quellin::regscript {

// The predefined replacement: the program's path, quoted for use inside a quoted token.
inline constexpr char16_t kModuleReplacement[] = u"Module";

class CReplacementMap {
 public:
  static constexpr std::size_t kInitialRoom = 10;

  explicit CReplacementMap(const CodePage& codePage) : codePage_(codePage) {}

  Result AddReplacement(std::u16string_view name, std::u16string_view value);
  // The value of the first entry whose name, in the ANSI code page, equals `name` without
  // regard to case.
  std::optional<std::u16string> FindReplacement(const char* name) const;
  void Clear();

  std::size_t size() const { return entries_.size(); }
  std::size_t room() const { return entries_.capacity(); }

 private:
  struct Entry {
    std::u16string name;
    std::u16string value;
  };
  const CodePage& codePage_;
  std::vector<Entry> entries_;
};

// A copy of `text` in which every single quote is doubled, so that it can stand inside a
// quoted token.
std::u16string QuoteForScript(std::u16string_view text);

}  // namespace quellin::regscript
