#pragma once
// The two registration switches of the command line. A switch counts only as the last thing
// on the line: the whole rest of the line after its "-" or "/" must be the word, in any case,
// so signs inside the program's path, or a switch followed by anything, match nothing.
#include "alerts/regscript/code_page.h"

namespace quellin::startup {

enum class RegistrationRequest { None, Register, Unregister };

// The position just after the next "-" or "/" at or after `position`, stepping by
// characters; null when there is none.
const char* NextSwitch(const regscript::CodePage& codePage, const char* position);

// What the command line (program path included) asks for.
RegistrationRequest FindRegistrationRequest(const regscript::CodePage& codePage, const char* commandLine);

}  // namespace quellin::startup
