// The program's own script resource, run through RunRegistrationScript against the real
// registry: the register pass leaves exactly the sound events, the unregister pass removes
// them from the leaves up, keeping what the script does not name.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "alerts/regscript/win32/run_registration_script.h"
#include "resources/resource_ids.h"

namespace {

using namespace quellin::regscript;
using quellin::regscript::win32::ReplacementPair;
using quellin::regscript::win32::RunRegistrationScript;

constexpr const char* kAppEvents = "AppEvents";
constexpr const char* kLabels = "AppEvents\\EventLabels";
constexpr const char* kApps = "AppEvents\\Schemes\\Apps";
constexpr const char* kScheme = "AppEvents\\Schemes\\Apps\\Quellin";

struct Event {
  const char* name;
  const char* label;
  const char* sound;
};
constexpr Event kEvents[] = {
    {"QN_ChangeToAmber", "Amber: One minute left", "chimes.wav"},
    {"QN_ChangeToRed", "Red: Quellin!", "chord.wav"},
    {"QN_ChangeToGreen", "Green: Back to work", "chimes.wav"},
    {"QN_RedEventMinor", "Stop!", "ding.wav"},
    {"QN_RedEventMajor", "Stop!!!", "chord.wav"},
    {"QN_FiveMinsOk", "5 Minute extension granted", "chimes.wav"},
    {"QN_FiveMinsDenied", "5 Minute extension denied", "chord.wav"},
};

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The key's values (name to text; non-strings as "<type N>") and its subkeys.
struct KeyContent {
  std::map<std::string, std::string> values;
  std::vector<std::string> subkeys;
};

KeyContent Read(const std::string& path) {
  KeyContent content;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return content;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    BYTE data[512];
    DWORD dataSize = sizeof data - 1;
    DWORD type = 0;
    if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    data[dataSize] = 0;
    content.values[name] =
        type == REG_SZ ? std::string(reinterpret_cast<char*>(data)) : "<type " + std::to_string(type) + ">";
  }
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (::RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    content.subkeys.emplace_back(name);
  }
  ::RegCloseKey(key);
  return content;
}

void SetDefault(const std::string& path, const char* text) {
  HKEY key = nullptr;
  ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
  ::RegCloseKey(key);
}

void ExpectRegistered() {
  for (const Event& event : kEvents) {
    SCOPED_TRACE(event.name);
    const KeyContent label = Read(std::string(kLabels) + "\\" + event.name);
    EXPECT_EQ(label.values, (std::map<std::string, std::string>{{"", event.label}}));
    EXPECT_TRUE(label.subkeys.empty());
    const KeyContent scheme = Read(std::string(kScheme) + "\\" + event.name);
    EXPECT_TRUE(scheme.values.empty());
    EXPECT_EQ(scheme.subkeys, std::vector<std::string>{".Current"});
    const KeyContent current = Read(std::string(kScheme) + "\\" + event.name + "\\.Current");
    EXPECT_EQ(current.values, (std::map<std::string, std::string>{{"", event.sound}}));
    EXPECT_TRUE(current.subkeys.empty());
  }
  const KeyContent scheme = Read(kScheme);
  EXPECT_EQ(scheme.values, (std::map<std::string, std::string>{{"", "Quellin!"}}));
  EXPECT_EQ(scheme.subkeys.size(), 7u);
}

class RegistrationScript : public ::testing::Test {
 protected:
  void SetUp() override { Unregister(); }
  void TearDown() override {
    Unregister();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kScheme);
  }
  static Result Register() { return RunRegistrationScript(IDR_REGISTRATION_SCRIPT, true, nullptr); }
  static Result Unregister() { return RunRegistrationScript(IDR_REGISTRATION_SCRIPT, false, nullptr); }
};

TEST_F(RegistrationScript, RegisterPassWritesTheSevenSoundEvents) {
  ASSERT_EQ(Register(), result::Ok);
  ExpectRegistered();
}

TEST_F(RegistrationScript, SecondRegisterPassResetsTheSoundsAndOverwritesTheLabels) {
  ASSERT_EQ(Register(), result::Ok);
  SetDefault(std::string(kScheme) + "\\QN_ChangeToRed\\.Current", "mine.wav");
  SetDefault(std::string(kScheme) + "\\QN_ChangeToRed\\.Loud", "loud.wav");
  SetDefault(std::string(kLabels) + "\\QN_RedEventMajor", "Changed");
  ASSERT_EQ(Register(), result::Ok);
  ExpectRegistered();
}

TEST_F(RegistrationScript, UnregisterPassRemovesTheEventsAndKeepsTheSharedKeys) {
  SetDefault(std::string(kApps) + "\\OtherProgram", "Other");
  ASSERT_EQ(Register(), result::Ok);
  ASSERT_EQ(Unregister(), result::Ok);
  for (const Event& event : kEvents) {
    EXPECT_FALSE(KeyExists(std::string(kLabels) + "\\" + event.name)) << event.name;
  }
  EXPECT_FALSE(KeyExists(kScheme));
  for (const char* shared : {kAppEvents, kLabels, "AppEvents\\Schemes", kApps}) {
    EXPECT_TRUE(KeyExists(shared)) << shared;
  }
  EXPECT_TRUE(KeyExists(std::string(kApps) + "\\OtherProgram"));
  ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kApps) + "\\OtherProgram").c_str());
  EXPECT_EQ(Unregister(), result::Ok) << "nothing left to remove";
}

TEST_F(RegistrationScript, UnregisterPassKeepsAKeyThatHoldsAForeignSubkey) {
  ASSERT_EQ(Register(), result::Ok);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kLabels) + "\\QN_ChangeToGreen").c_str());
  SetDefault(std::string(kScheme) + "\\QN_ChangeToRed\\.Loud", "loud.wav");
  ASSERT_EQ(Unregister(), result::Ok);
  for (const Event& event : kEvents) {
    EXPECT_FALSE(KeyExists(std::string(kLabels) + "\\" + event.name)) << event.name;
  }
  EXPECT_EQ(Read(kScheme).subkeys, std::vector<std::string>{"QN_ChangeToRed"});
  EXPECT_EQ(Read(std::string(kScheme) + "\\QN_ChangeToRed").subkeys, std::vector<std::string>{".Loud"});
}

TEST(RunRegistrationScript, TheResourceHoldsTheScriptFileByteForByte) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_REGISTRATION_SCRIPT), "REGISTRY");
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
  const std::string carried(data, ::SizeofResource(nullptr, found));
  std::ifstream file(QUELLIN_SCRIPT_FILE, std::ios::binary);
  ASSERT_TRUE(file) << QUELLIN_SCRIPT_FILE;
  std::ostringstream content;
  content << file.rdbuf();
  EXPECT_EQ(carried, content.str());
}

TEST(RunRegistrationScript, AMissingResourceGivesTheConvertedSystemError) {
  const Result r = RunRegistrationScript(IDR_REGISTRATION_SCRIPT + 1, true, nullptr);
  EXPECT_EQ(static_cast<std::uint32_t>(r) & 0xFFFF0000u, 0x80070000u) << std::hex << r;
  EXPECT_NE(r, static_cast<Result>(0x80070000u));
}

TEST(RunRegistrationScript, TakesExtraPairsUpToTheFirstWithoutAName) {
  const ReplacementPair pairs[] = {{u"Extra", u"x"}, {nullptr, nullptr}};
  EXPECT_EQ(RunRegistrationScript(IDR_REGISTRATION_SCRIPT, false, pairs), result::Ok);
}

}  // namespace
