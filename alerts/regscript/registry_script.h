#pragma once
// CRegistryScript: one run of the registration script: the replacement map, the loading of a
// script resource through a ScriptResources seam, and its execution.
#include <cstdint>
#include <string>
#include <string_view>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/registry_store.h"
#include "alerts/regscript/replacement_map.h"
#include "alerts/regscript/result.h"

namespace quellin::regscript {

// The resource type under which the script is carried.
inline constexpr char16_t kScriptResourceType[] = u"REGISTRY";

// Where script resources come from: the program file on Windows, a plain file for the tool.
class ScriptResources {
 public:
  virtual ~ScriptResources() = default;
  // The bytes of resource `id` of `type` in the file `modulePath` (both in the ANSI page).
  virtual Result LoadScript(const std::string& modulePath, std::uint16_t id, const std::string& type,
                            std::string* bytes) = 0;
};

class CRegistryScript {
 public:
  CRegistryScript(RegistryStore& store, const CodePage& codePage) : store_(store), codePage_(codePage), map_(codePage) {}

  CReplacementMap& replacements() { return map_; }

  Result RunScriptResource(ScriptResources& resources, std::u16string_view modulePath, std::uint16_t resourceId,
                           std::u16string_view type, bool registerPass);
  // Runs the bytes of a script resource: they end at their first NUL, or after their last byte.
  Result RunScript(std::string_view bytes, bool registerPass);

 private:
  RegistryStore& store_;
  const CodePage& codePage_;
  CReplacementMap map_;
};

// The "Module" pair: the program's path in its quoted form. Its answer, as every answer of
// adding a pair, is ignored by the program; a missing pair shows as an unknown marker.
Result AddModuleReplacement(CReplacementMap& map, std::u16string_view modulePath);

}  // namespace quellin::regscript
