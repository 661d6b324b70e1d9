// The registry settings store and the string resources answer the same contracts as
// their portable counterparts, against the real registry and resources under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "shell/win32/handles.h"
#include "resources/resource_ids.h"
#include "shell/win32/registry_config_store.h"
#include "shell/win32/sound_and_colors.h"
#include "shell/win32/win32_texts.h"
#include "tests/contracts/config_store_contract.h"
#include "tests/contracts/text_source_contract.h"

namespace {

using quellin::win32::RegistryConfigStore;
using quellin::win32::RegistryKey;
constexpr const char* kKey = RegistryConfigStore::kKeyPath;

RegistryKey OpenSettingsKey(REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, access, &key) != ERROR_SUCCESS) return RegistryKey();
  return RegistryKey(key);
}

// The registry lists a key's values sorted by name, not in the order they were written;
// the order is taken from a log of the writes, the values themselves from the registry.
std::vector<std::string> writeLog;

void LogWrite(const std::string& name) {
  if (std::find(writeLog.begin(), writeLog.end(), name) == writeLog.end()) writeLog.push_back(name);
}

class LoggingRegistryStore final : public quellin::ConfigStore {
 public:
  long OpenKey() override { return store_.OpenKey(); }
  long ReadValue(const char* name, std::uint8_t (&data)[4]) override { return store_.ReadValue(name, data); }
  long WriteDword(const char* name, std::uint32_t value) override {
    const long status = store_.WriteDword(name, value);
    if (status == ERROR_SUCCESS) LogWrite(name);
    return status;
  }
  long CloseKey() override { return store_.CloseKey(); }

 private:
  RegistryConfigStore store_;
};

struct RegistryFactory {
  // Every case starts from a prefix without the settings key.
  static std::unique_ptr<quellin::ConfigStore> Make() {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    writeLog.clear();
    return std::make_unique<LoggingRegistryStore>();
  }
  static void Put(const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const RegistryKey owner(key);
    ASSERT_EQ(::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    LogWrite(name);
  }
  static void PutRaw(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    Put(name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  }
  static void PutDword(const std::string& name, std::uint32_t v) {
    const DWORD value = v;
    Put(name, REG_DWORD, &value, sizeof value);
  }
  static std::optional<std::uint32_t> GetDword(const std::string& name) {
    const RegistryKey key = OpenSettingsKey(KEY_READ);
    if (!key) return std::nullopt;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof value || type != REG_DWORD) {
      return std::nullopt;
    }
    return value;
  }
  static std::vector<std::string> ValueNamesInOrder() {
    std::vector<std::string> stored;
    const RegistryKey key = OpenSettingsKey(KEY_READ);
    if (!key) return stored;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD size = sizeof name;
      if (::RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      stored.emplace_back(name, size);
    }
    std::vector<std::string> names;
    for (const std::string& name : writeLog) {
      if (std::find(stored.begin(), stored.end(), name) != stored.end()) names.push_back(name);
    }
    for (const std::string& name : stored) {
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
  }
  static bool KeyExists() { return static_cast<bool>(OpenSettingsKey(KEY_READ)); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, ConfigStoreContract, RegistryFactory);

struct ResourceFactory {
  static std::unique_ptr<quellin::TextSource> Make() {
    return std::make_unique<quellin::win32::ResourceTexts>(::GetModuleHandleA(nullptr));
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Resources, TextSourceContract, ResourceFactory);

TEST(RegistryConfigStore, ValuesOfOtherTypesAndSizesAreReadSafely) {
  auto store = RegistryFactory::Make();
  ASSERT_EQ(store->OpenKey(), ERROR_SUCCESS);
  const char text[] = "a string value far longer than four bytes";
  RegistryFactory::Put("RestPeriod", REG_SZ, text, sizeof text);
  const std::uint64_t wide = 7;
  RegistryFactory::Put("WorkPeriod", REG_QWORD, &wide, sizeof wide);
  const std::uint8_t two[] = {0x0c, 0x00};
  RegistryFactory::Put("UseColors", REG_BINARY, two, sizeof two);

  std::uint8_t data[4] = {0xee, 0xee, 0xee, 0xee};
  EXPECT_EQ(store->ReadValue("RestPeriod", data), ERROR_MORE_DATA);
  EXPECT_EQ(store->ReadValue("WorkPeriod", data), ERROR_MORE_DATA);
  EXPECT_EQ(store->ReadValue("Missing", data), ERROR_FILE_NOT_FOUND);
  std::uint8_t shorter[4] = {0xee, 0xee, 0xee, 0xee};
  EXPECT_EQ(store->ReadValue("UseColors", shorter), ERROR_SUCCESS);
  EXPECT_EQ(shorter[0], 0x0c);
  EXPECT_EQ(shorter[2], 0xee) << "bytes beyond a short value stay as they were";
  EXPECT_EQ(store->CloseKey(), ERROR_SUCCESS);
}

TEST(RegistryConfigStore, OperationsWithoutAnOpenKeyFailInsteadOfWritingElsewhere) {
  auto store = RegistryFactory::Make();
  std::uint8_t data[4] = {};
  EXPECT_NE(store->ReadValue("WorkPeriod", data), ERROR_SUCCESS);
  EXPECT_NE(store->WriteDword("WorkPeriod", 9), ERROR_SUCCESS);
  EXPECT_NE(store->CloseKey(), ERROR_SUCCESS);
  EXPECT_FALSE(RegistryFactory::KeyExists());

  ASSERT_EQ(store->OpenKey(), ERROR_SUCCESS);
  ASSERT_EQ(store->CloseKey(), ERROR_SUCCESS);
  EXPECT_NE(store->CloseKey(), ERROR_SUCCESS) << "a key is closed once";
}

}  // namespace

namespace {

TEST(Win32SystemColors, SetsEachElementToItsOwnColourAndPutsThemBack) {
  quellin::win32::Win32SystemColors colors;
  const int elements[] = {COLOR_ACTIVEBORDER, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION};
  std::uint32_t saved[3];
  for (int i = 0; i < 3; ++i) saved[i] = colors.GetSysColor(elements[i]);
  const std::uint32_t rest[] = {0x000000ff, 0x000000fe, 0x0000007f};
  colors.SetSysColors(3, elements, rest);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(colors.GetSysColor(elements[i]), rest[i]) << elements[i];
  colors.SetSysColors(3, elements, saved);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(colors.GetSysColor(elements[i]), saved[i]) << elements[i];
}

}  // namespace
