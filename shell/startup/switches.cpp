#include "shell/startup/switches.h"

namespace quellin::startup {
namespace {

constexpr const char* kRegisterSwitch = "RegServer";
constexpr const char* kUnregisterSwitch = "UnregServer";

}  // namespace

const char* NextSwitch(const regscript::CodePage& codePage, const char* position) {
  for (const char* p = position; *p != '\0'; p = codePage.NextChar(p)) {
    if (*p == '-' || *p == '/') return p + 1;
  }
  return nullptr;
}

RegistrationRequest FindRegistrationRequest(const regscript::CodePage& codePage, const char* commandLine) {
  for (const char* rest = NextSwitch(codePage, commandLine); rest != nullptr; rest = NextSwitch(codePage, rest)) {
    if (codePage.EqualNoCase(rest, kUnregisterSwitch)) return RegistrationRequest::Unregister;
    if (codePage.EqualNoCase(rest, kRegisterSwitch)) return RegistrationRequest::Register;
  }
  return RegistrationRequest::None;
}

}  // namespace quellin::startup
