#include <gtest/gtest.h>

#include <algorithm>

#include "core/memory_config_store.h"
#include "core/settings.h"
#include "tests/contracts/config_store_contract.h"

namespace {

using quellin::MemoryConfigStore;

// The contract's factory hands the fixture its store and keeps a view of it for the
// helpers, which the contract calls as static functions.
struct MemoryFactory {
  static inline MemoryConfigStore* current = nullptr;

  static std::unique_ptr<quellin::ConfigStore> Make() {
    auto store = std::make_unique<MemoryConfigStore>();
    current = store.get();
    return store;
  }
  static void PutRaw(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    current->values[name] = bytes;
  }
  static void PutDword(const std::string& name, std::uint32_t v) { current->SetDword(name, v); }
  static std::optional<std::uint32_t> GetDword(const std::string& name) {
    auto it = current->values.find(name);
    if (it == current->values.end() || it->second.size() != 4) return std::nullopt;
    const auto& b = it->second;
    return static_cast<std::uint32_t>(b[0] | (b[1] << 8) | (b[2] << 16)) | (static_cast<std::uint32_t>(b[3]) << 24);
  }
  static std::vector<std::string> ValueNamesInOrder() {
    std::vector<std::string> names;
    for (const auto& w : current->writes) {
      if (std::find(names.begin(), names.end(), w.name) == names.end()) names.push_back(w.name);
    }
    return names;
  }
  static bool KeyExists() { return current->keyExists; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ConfigStoreContract, MemoryFactory);

TEST(LoadSettings, ReadsInItsOrderAndClosesTheKey) {
  MemoryConfigStore store;
  quellin::LoadSettings(store);
  const std::vector<std::string> order = {"RestPeriod", "WorkPeriod", "DisableChanges",
                                          "UseSounds",  "UseColors",  "RestColor"};
  EXPECT_EQ(store.reads, order);
  EXPECT_FALSE(store.isOpen());
}

TEST(LoadSettings, AKeyThatCannotBeOpenedGivesEveryDefault) {
  MemoryConfigStore store;
  store.SetDword("WorkPeriod", 50);
  store.SetDword("UseColors", 0);
  store.unavailable = true;
  const quellin::Settings s = quellin::LoadSettings(store);
  EXPECT_EQ(s.WorkPeriod, 30u);
  EXPECT_EQ(s.RestPeriod, 5u);
  EXPECT_TRUE(s.UseColors);
  EXPECT_EQ(s.RestColor, 255u);
  EXPECT_TRUE(store.reads.empty());
}

TEST(LoadSettings, AFallBackIsNotWrittenAtLoad) {
  MemoryConfigStore store;
  store.SetDword("WorkPeriod", 241);
  EXPECT_EQ(quellin::LoadSettings(store).WorkPeriod, 30u);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(store.values.at("WorkPeriod"), (std::vector<std::uint8_t>{241, 0, 0, 0}));
}

TEST(SaveSettings, AKeyThatCannotBeOpenedWritesNothingAndReportsTheError) {
  MemoryConfigStore store;
  store.unavailable = true;
  EXPECT_EQ(quellin::SaveSettings(store, quellin::Settings{}), MemoryConfigStore::kAccessDenied);
  EXPECT_TRUE(store.writes.empty());
}

TEST(SaveSettings, ARefusedWriteDoesNotStopTheOthers) {
  MemoryConfigStore store;
  store.failingWrites = {"RestPeriod", "UseSounds"};
  EXPECT_EQ(quellin::SaveSettings(store, quellin::Settings{}), 0);
  std::vector<std::string> written;
  for (const auto& w : store.writes) written.push_back(w.name);
  EXPECT_EQ(written, (std::vector<std::string>{"WorkPeriod", "DisableChanges", "UseColors", "RestColor"}));
}

TEST(SaveSettings, ReportsTheResultOfTheFinalClose) {
  MemoryConfigStore store;
  store.closeResult = MemoryConfigStore::kInvalidHandle;
  EXPECT_EQ(quellin::SaveSettings(store, quellin::Settings{}), MemoryConfigStore::kInvalidHandle);
  EXPECT_EQ(store.writes.size(), 6u);
}

}  // namespace
