#pragma once
// The registration script of the program's own module, run against the real registry.
#include <cstdint>

#include "alerts/regscript/result.h"

namespace quellin::regscript::win32 {

// A further replacement pair; a list of them ends with a pair whose name is null.
struct ReplacementPair {
  const char16_t* name;
  const char16_t* value;
};

// Runs script resource `resourceId` (type "REGISTRY") of the module that holds this code, in
// the register or the unregister pass, with "Module" set to the module's path.
Result RunRegistrationScript(std::uint16_t resourceId, bool registerPass, const ReplacementPair* extraPairs);

}  // namespace quellin::regscript::win32
