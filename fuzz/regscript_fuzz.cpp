// The whole path of a registration script against the store in memory: preprocessing, then
// two register passes and the unregister pass over what they left. An input that begins with
// byte 1 runs, without that byte, under the double-byte test page, so that double-byte
// stepping is fuzzed too; any other input is a script for the single-byte page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/registry_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellin::regscript;
  constexpr std::uint8_t kDoubleByteMark = 1;
  const bool doubleByte = size > 0 && data[0] == kDoubleByteMark;
  const CodePage& page = doubleByte ? DoubleByteTestCodePage() : SingleByteCodePage();
  const std::size_t skip = doubleByte ? 1 : 0;
  const std::string script(reinterpret_cast<const char*>(data + skip), size - skip);

  MemoryStore store;
  CRegistryScript run(store, page);
  AddModuleReplacement(run.replacements(), u"C:\\It's\\Quellin.exe");
  run.RunScript(script, true);
  run.RunScript(script, true);
  run.RunScript(script, false);
  if (store.OpenHandles() != 0) __builtin_trap();

  return 0;
}
