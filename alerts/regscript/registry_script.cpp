#include "alerts/regscript/registry_script.h"

#include "alerts/regscript/script_parser.h"

namespace quellin::regscript {

Result CRegistryScript::RunScriptResource(ScriptResources& resources, std::u16string_view modulePath,
                                          std::uint16_t resourceId, std::u16string_view type, bool registerPass) {
  std::string bytes;
  const Result loaded =
      resources.LoadScript(codePage_.FromUtf16(modulePath), resourceId, codePage_.FromUtf16(type), &bytes);
  if (Failed(loaded)) return loaded;
  return RunScript(bytes, registerPass);
}

Result CRegistryScript::RunScript(std::string_view bytes, bool registerPass) {
  // Always a copy with its own NUL: the byte after a resource's data is not ours to read.
  const std::string script(bytes);
  CScriptParser parser(map_, store_, codePage_);
  return parser.ExecuteScript(script.c_str(), registerPass);
}

Result AddModuleReplacement(CReplacementMap& map, std::u16string_view modulePath) {
  return map.AddReplacement(kModuleReplacement, QuoteForScript(modulePath));
}

}  // namespace quellin::regscript
