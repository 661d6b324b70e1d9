// The registration switches of the command line.
#include <gtest/gtest.h>

#include "alerts/regscript/code_page.h"
#include "shell/startup/switches.h"

namespace {

using quellin::regscript::DoubleByteTestCodePage;
using quellin::regscript::SingleByteCodePage;
using quellin::startup::FindRegistrationRequest;
using quellin::startup::RegistrationRequest;

TEST(RegistrationSwitches, OnlyAWholeLastSwitchCounts) {
  const struct {
    const char* line;
    RegistrationRequest request;
  } cases[] = {
      {"C:\\Quellin\\Quellin.exe /RegServer", RegistrationRequest::Register},
      {"\"C:\\Program Files\\Quellin.exe\" -regserver", RegistrationRequest::Register},
      {"Quellin.exe /UNREGSERVER", RegistrationRequest::Unregister},
      {"Quellin.exe /RegServer /x", RegistrationRequest::None},
      {"Quellin.exe /UnregServer /RegServer", RegistrationRequest::Register},
      {"Quellin.exe /RegServer /UnregServer", RegistrationRequest::Unregister},
      {"C:\\my-tools\\a/b\\Quellin.exe", RegistrationRequest::None},
      {"C:\\my-tools\\Quellin.exe -RegServer", RegistrationRequest::Register},
      {"Quellin.exe /RegServer ", RegistrationRequest::None},
      {"Quellin.exe RegServer", RegistrationRequest::None},
      {"Quellin.exe //RegServer", RegistrationRequest::Register},
      {"Quellin.exe /", RegistrationRequest::None},
      {"", RegistrationRequest::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(FindRegistrationRequest(SingleByteCodePage(), c.line), c.request);
  }
}

TEST(RegistrationSwitches, ASecondByteIsNoSwitchSign) {
  // Under the double-byte page "\x82/" is one character, so the line holds no switch there.
  EXPECT_EQ(FindRegistrationRequest(DoubleByteTestCodePage(), "Q\x82/RegServer"), RegistrationRequest::None);
  EXPECT_EQ(FindRegistrationRequest(SingleByteCodePage(), "Q\x82/RegServer"), RegistrationRequest::Register);
  EXPECT_EQ(FindRegistrationRequest(DoubleByteTestCodePage(), "Q\x82/ /RegServer"), RegistrationRequest::Register);
}

}  // namespace
