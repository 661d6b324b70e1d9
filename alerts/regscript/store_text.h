#pragma once
// The in-memory store as text, in the form of registry export files:
//   [HKEY_CURRENT_USER\AppEvents\EventLabels]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000abcd
//   "Bytes"=hex:0a,0b
// Every key below a root, depth first, siblings ordered by name without regard to case, each
// followed by its values in store order. A root shows only when it holds values itself.
// Other value types, and strings that are not one NUL-terminated text, show as hex(N):...
#include <string>

#include "alerts/regscript/memory_store.h"

namespace quellin::regscript {

std::string WriteStoreText(const MemoryStore& store);

// Fills `store` from text of that form; an optional first line "REGEDIT4" or "Windows
// Registry Editor Version 5.00" and blank lines are skipped. False with `error` set when a
// line is not of the form.
bool ReadStoreText(const std::string& text, MemoryStore& store, std::string* error);

}  // namespace quellin::regscript
