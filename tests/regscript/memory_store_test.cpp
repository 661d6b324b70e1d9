#include <gtest/gtest.h>

#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/store_text.h"
#include "tests/regscript/store_contract.h"

namespace {

using namespace quellin::regscript;

struct MemoryFixture {
  static std::unique_ptr<RegistryStore> Make() { return std::make_unique<MemoryStore>(); }
  static KeyRef Base(RegistryStore& store) { return store.CreateKey(RootRef(RootKey::CurrentUser), "Scratch").key; }
  static void Cleanup(RegistryStore&) {}
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryStoreContract, MemoryFixture);

namespace {

TEST(MemoryStore, SubkeysAreEnumeratedByNameWithoutRegardToCase) {
  MemoryStore store;
  for (const char* name : {"beta", "Alpha", "gamma", "ALPHA2", "Beta1"}) {
    store.CloseKey(store.CreateKey(RootRef(RootKey::Users), name).key);
  }
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    const EnumeratedName sub = store.EnumKey(RootRef(RootKey::Users), i, kSubkeyNameBuffer);
    if (sub.error != 0) break;
    names.push_back(sub.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "Beta1", "gamma"}));
}

TEST(MemoryStore, ClosingAnUnknownKeyFails) {
  MemoryStore store;
  const KeyRef key = store.CreateKey(RootRef(RootKey::Users), "k").key;
  EXPECT_EQ(store.CloseKey(key), 0);
  EXPECT_EQ(store.CloseKey(key), store_error::InvalidHandle);
  EXPECT_EQ(store.CloseKey(RootRef(RootKey::Users)), 0) << "a root key is never really closed";
}

TEST(StoreText, ReadsWhatItWritesWithEveryValueForm) {
  const std::string text =
      "[HKEY_CURRENT_USER]\n"
      "\"Top\"=\"x\"\n"
      "[HKEY_CURRENT_USER\\A]\n"
      "@=\"back\\\\slash \\\"quoted\\\"\"\n"
      "\"Count\"=dword:0000abcd\n"
      "\"Bytes\"=hex:0a,0b\n"
      "\"None\"=hex:\n"
      "\"Odd\"=hex(7):41,00\n"
      "[HKEY_CURRENT_USER\\A\\b]\n"
      "[HKEY_LOCAL_MACHINE\\Z]\n";
  for (const char* header : {"", "REGEDIT4\r\n\r\n", "Windows Registry Editor Version 5.00\n\n"}) {
    SCOPED_TRACE(header);
    MemoryStore store;
    std::string error;
    ASSERT_TRUE(ReadStoreText(header + text, store, &error)) << error;
    EXPECT_EQ(WriteStoreText(store), text);
    EXPECT_EQ(store.OpenHandles(), 0u);
  }
}

TEST(StoreText, RefusesMalformedLines) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"\"v\"=\"x\"\n", "value before a key"},
      {"[HKEY_NOWHERE\\A]\n", "unknown root"},
      {"[HKEY_CURRENT_USER\\A\n", "unclosed key line"},
      {"[HKEY_CURRENT_USER\\A\\\\B]\n", "empty key name"},
      {"[HKEY_CURRENT_USER\\A]\n\"v\"=dword:123\n", "short dword"},
      {"[HKEY_CURRENT_USER\\A]\n\"v\"=hex:0a,\n", "dangling comma"},
      {"[HKEY_CURRENT_USER\\A]\n\"v\"=hex:0g\n", "not a digit"},
      {"[HKEY_CURRENT_USER\\A]\n\"v\"=\"open\n", "unclosed text"},
      {"[HKEY_CURRENT_USER\\A]\nv=\"x\"\n", "unquoted name"},
      {"[HKEY_CURRENT_USER\\A]\n\"v\"=qword:1\n", "unknown form"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    MemoryStore store;
    std::string error;
    EXPECT_FALSE(ReadStoreText(c.text, store, &error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
