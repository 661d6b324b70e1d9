// The store contract against the real registry, under a scratch key of the current user, and
// the interpreter running on it with the system's code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/registry_script.h"
#include "alerts/regscript/store_text.h"
#include "alerts/regscript/win32/win32_code_page.h"
#include "alerts/regscript/win32/win32_registry_store.h"
#include "tests/regscript/store_contract.h"

namespace {

using namespace quellin::regscript;
using quellin::regscript::win32::Win32CodePage;
using quellin::regscript::win32::Win32RegistryStore;

constexpr const char* kScratch = "Software\\QuellinRegscriptContract";

void RemoveScratch() { ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }

struct RegistryFixture {
  static std::unique_ptr<RegistryStore> Make() { return std::make_unique<Win32RegistryStore>(); }
  static KeyRef Base(RegistryStore& store) {
    RemoveScratch();
    return store.CreateKey(RootRef(RootKey::CurrentUser), kScratch).key;
  }
  static void Cleanup(RegistryStore&) { RemoveScratch(); }
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, RegistryStoreContract, RegistryFixture);

namespace {

std::string ReadString(const char* path, const char* name) {
  char buffer[256] = {};
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  const LONG error = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  ::RegCloseKey(key);
  if (error != ERROR_SUCCESS) return "<no value>";
  return type == REG_SZ ? std::string(buffer) : "<type " + std::to_string(type) + ">";
}

DWORD ReadDword(const char* path, const char* name) {
  DWORD value = 0xDEADBEEF;
  DWORD size = sizeof value;
  ::RegGetValueA(HKEY_CURRENT_USER, path, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

class RegistryInterpreter : public ::testing::Test {
 protected:
  void SetUp() override { RemoveScratch(); }
  void TearDown() override { RemoveScratch(); }

  Result Run(const char* script, bool registerPass) {
    CRegistryScript run(store, codePage);
    AddModuleReplacement(run.replacements(), u"C:\\O'Neil\\Q.exe");
    return run.RunScript(script, registerPass);
  }

  Win32CodePage codePage;
  Win32RegistryStore store;
};

constexpr const char* kScript =
    "HKCU { NoRemove Software { QuellinRegscriptContract = s '%Module%' { Val count = d ' 42 ' "
    "Val word = d 'many' Val bytes = b '0a0B' Sub { Val v = s 'x' } } } }";

TEST_F(RegistryInterpreter, WritesAndRemovesValuesOfEachType) {
  ASSERT_EQ(Run(kScript, true), result::Ok);
  EXPECT_EQ(ReadString(kScratch, nullptr), "C:\\O'Neil\\Q.exe");
  EXPECT_EQ(ReadDword(kScratch, "count"), 42u) << "VarUI4FromStr allows blanks around the number";
  EXPECT_EQ(ReadDword(kScratch, "word"), 0u) << "a text that is no number stores 0";
  BYTE bytes[4] = {};
  DWORD size = sizeof bytes;
  ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, kScratch, "bytes", RRF_RT_REG_BINARY, nullptr, bytes, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(bytes[0], 0x0A);
  EXPECT_EQ(bytes[1], 0x0B);
  EXPECT_EQ(ReadString((std::string(kScratch) + "\\Sub").c_str(), "v"), "x");

  // A foreign value keeps the key; the unregister pass still deletes the values it names.
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  HKEY foreign = nullptr;
  ::RegCreateKeyExA(key, "Foreign", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &foreign, nullptr);
  ::RegCloseKey(foreign);
  ::RegCloseKey(key);
  ASSERT_EQ(Run(kScript, false), result::Ok);
  EXPECT_EQ(ReadString(kScratch, "count"), "<no value>");
  EXPECT_EQ(ReadString(kScratch, "bytes"), "<no value>");
  EXPECT_EQ(ReadString((std::string(kScratch) + "\\Sub").c_str(), nullptr), "<no key>");
  EXPECT_EQ(ReadString((std::string(kScratch) + "\\Foreign").c_str(), nullptr), "<no value>") << "kept";
}

TEST_F(RegistryInterpreter, AFailedRegisterPassIsRolledBack) {
  ASSERT_EQ(Run("HKCU { NoRemove Software { QuellinRegscriptContract { Made { Val b = b 'abc' } } } }", true),
            result::Fail);
  EXPECT_EQ(ReadString(kScratch, nullptr), "<no key>");
}

TEST(Win32CodePage, ComparesAndStepsLikeTheSinglePageForAscii) {
  const Win32CodePage page;
  EXPECT_TRUE(page.EqualNoCase("noremove", "NoRemove"));
  EXPECT_FALSE(page.EqualNoCase("NoRemove", "NoRemov"));
  const char text[] = "ab";
  EXPECT_EQ(page.NextChar(text), text + 1);
  EXPECT_EQ(page.NextChar(text + 2), text + 2);
  EXPECT_EQ(page.FromUtf16(page.ToUtf16("C:\\It's")), "C:\\It's");
  EXPECT_EQ(page.ToUnsigned32(u"4294967295"), 4294967295u);
  EXPECT_EQ(page.ToUnsigned32(u"abc"), 0u);
}

// Run with a Japanese locale (code page 932) by its own CTest entry; skipped otherwise. Shift
// JIS second bytes include the backslash and both braces, which must stay inside characters.
TEST(ShiftJisCodePage, SecondBytesThatLookLikeSignsStayInsideTheirCharacters) {
  constexpr UINT kShiftJis = 932;
  if (::GetACP() != kShiftJis) GTEST_SKIP() << "code page " << ::GetACP();
  const Win32CodePage page;
  const char so[] = "\x83\x5C";  // a katakana whose second byte is the backslash
  EXPECT_EQ(page.NextChar(so), so + 2);
  EXPECT_TRUE(page.IsLeadByte(0x83));
  EXPECT_EQ(page.FromUtf16(page.ToUtf16(so)), so);

  MemoryStore store;
  CRegistryScript run(store, page);
  AddModuleReplacement(run.replacements(), u"C:\\Q.exe");
  const char script[] = "HKCU { K\x83\x5C = s 'x\x83\x7B' { A\x83\x7D } }";
  ASSERT_EQ(run.RunScript(script, true), result::Ok);
  EXPECT_EQ(WriteStoreText(store),
            "[HKEY_CURRENT_USER\\K\x83\x5C]\n@=\"x\x83\x7B\"\n[HKEY_CURRENT_USER\\K\x83\x5C\\A\x83\x7D]\n");
  ASSERT_EQ(run.RunScript(script, false), result::Ok);
  EXPECT_EQ(WriteStoreText(store), "");
}

}  // namespace
