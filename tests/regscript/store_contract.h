#pragma once
// One suite for every RegistryStore: the tree in memory and the real registry answer the
// interpreter's operations alike. Instantiate with a fixture type F:
//   F::Make() -> std::unique_ptr<RegistryStore>   a store
//   F::Base(RegistryStore&) -> store_contract::KeyRef             an empty key to work under (freshly made)
//   F::Cleanup(RegistryStore&)                    removes what the test left under it
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, RegistryStoreContract, F);
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "alerts/regscript/key_handle.h"
#include "alerts/regscript/registry_store.h"

namespace store_contract {
using quellin::regscript::KeyAccess;
using quellin::regscript::KeyRef;
using quellin::regscript::ValueType;
}  // namespace store_contract

template <typename F>
class RegistryStoreContract : public ::testing::Test {
 protected:
  std::unique_ptr<quellin::regscript::RegistryStore> store_ = F::Make();
  store_contract::KeyRef base = F::Base(*store_);

  ~RegistryStoreContract() override {
    store_->CloseKey(base);
    F::Cleanup(*store_);
  }

  store_contract::KeyRef Create(store_contract::KeyRef parent, const std::string& name) {
    const auto opened = store_->CreateKey(parent, name);
    EXPECT_EQ(opened.error, 0) << name;
    return opened.key;
  }
  void SetString(store_contract::KeyRef key, const std::string& name, const std::string& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    EXPECT_EQ(store_->SetValue(key, name, store_contract::ValueType::String, {bytes, text.size() + 1}), 0);
  }
  std::vector<std::string> Subkeys(store_contract::KeyRef key) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      const auto sub = store_->EnumKey(key, i, quellin::regscript::kSubkeyNameBuffer);
      if (sub.error != 0) break;
      names.push_back(sub.name);
    }
    return names;
  }
};

TYPED_TEST_SUITE_P(RegistryStoreContract);

TYPED_TEST_P(RegistryStoreContract, CreateOpensAMissingKeyAndOpensAnExistingOne) {
  auto& store = *this->store_;
  EXPECT_NE(store.OpenKey(this->base, "Fresh", store_contract::KeyAccess::Read).error, 0);
  const store_contract::KeyRef created = this->Create(this->base, "Fresh");
  this->SetString(created, "", "first");
  EXPECT_EQ(store.CloseKey(created), 0);

  const store_contract::KeyRef again = this->Create(this->base, "FRESH");
  const auto counts = store.QueryInfoKey(again);
  EXPECT_EQ(counts.error, 0);
  EXPECT_EQ(counts.values, 1u) << "the default value counts as a value";
  EXPECT_EQ(counts.subkeys, 0u);
  EXPECT_EQ(store.CloseKey(again), 0);
  EXPECT_EQ(this->Subkeys(this->base), std::vector<std::string>{"Fresh"}) << "the name keeps its first spelling";
}

TYPED_TEST_P(RegistryStoreContract, NamesAreComparedWithoutRegardToCase) {
  auto& store = *this->store_;
  store.CloseKey(this->Create(this->base, "MixedCase"));
  for (const char* spelling : {"mixedcase", "MIXEDCASE", "MixedCase"}) {
    SCOPED_TRACE(spelling);
    const auto opened = store.OpenKey(this->base, spelling, store_contract::KeyAccess::Read);
    EXPECT_EQ(opened.error, 0);
    store.CloseKey(opened.key);
  }
}

TYPED_TEST_P(RegistryStoreContract, EnumerationListsSubkeysUntilNoneIsLeft) {
  auto& store = *this->store_;
  for (const char* name : {"b", "A", "c"}) store.CloseKey(this->Create(this->base, name));
  std::vector<std::string> names = this->Subkeys(this->base);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_NE(store.EnumKey(this->base, 3, quellin::regscript::kSubkeyNameBuffer).error, 0);
}

TYPED_TEST_P(RegistryStoreContract, EnumerationRefusesANameLongerThanTheBuffer) {
  auto& store = *this->store_;
  store.CloseKey(this->Create(this->base, "TenLetters"));
  EXPECT_EQ(store.EnumKey(this->base, 0, 11).name, "TenLetters");
  EXPECT_EQ(store.EnumKey(this->base, 0, 10).error, quellin::regscript::store_error::MoreData);
}

TYPED_TEST_P(RegistryStoreContract, ValuesAreCountedAndEnumeratedByName) {
  auto& store = *this->store_;
  const store_contract::KeyRef key = this->Create(this->base, "Values");
  this->SetString(key, "Only", "x");
  auto counts = store.QueryInfoKey(key);
  EXPECT_EQ(counts.values, 1u);
  EXPECT_EQ(store.EnumValue(key, 0, quellin::regscript::kValueNameBuffer).name, "Only");

  const std::array<std::uint8_t, 4> dword = {1, 0, 0, 0};
  EXPECT_EQ(store.SetValue(key, "Count", store_contract::ValueType::Dword, dword), 0);
  EXPECT_EQ(store.SetValue(key, "Empty", store_contract::ValueType::Binary, {}), 0);
  EXPECT_EQ(store.QueryInfoKey(key).values, 3u);

  EXPECT_EQ(store.DeleteValue(key, "only"), 0);
  EXPECT_NE(store.DeleteValue(key, "Only"), 0) << "already gone";
  EXPECT_EQ(store.QueryInfoKey(key).values, 2u);
  store.CloseKey(key);
}

TYPED_TEST_P(RegistryStoreContract, DefaultValueIsTheValueWithNoName) {
  auto& store = *this->store_;
  const store_contract::KeyRef key = this->Create(this->base, "Default");
  this->SetString(key, "", "label");
  const auto only = store.EnumValue(key, 0, quellin::regscript::kValueNameBuffer);
  EXPECT_EQ(only.error, 0);
  EXPECT_EQ(only.name, "");
  EXPECT_EQ(store.DeleteValue(key, ""), 0);
  EXPECT_EQ(store.QueryInfoKey(key).values, 0u);
  store.CloseKey(key);
}

TYPED_TEST_P(RegistryStoreContract, AKeyOpenedForReadingTakesNoValues) {
  auto& store = *this->store_;
  store.CloseKey(this->Create(this->base, "ReadOnly"));
  const auto reading = store.OpenKey(this->base, "ReadOnly", store_contract::KeyAccess::Read);
  ASSERT_EQ(reading.error, 0);
  const std::array<std::uint8_t, 4> dword = {};
  EXPECT_NE(store.SetValue(reading.key, "v", store_contract::ValueType::Dword, dword), 0);
  store.CloseKey(reading.key);

  const auto writing = store.OpenKey(this->base, "ReadOnly", store_contract::KeyAccess::ReadWrite);
  ASSERT_EQ(writing.error, 0);
  EXPECT_EQ(store.SetValue(writing.key, "v", store_contract::ValueType::Dword, dword), 0);
  EXPECT_EQ(store.DeleteValue(writing.key, "v"), 0);
  store.CloseKey(writing.key);
}

TYPED_TEST_P(RegistryStoreContract, DeleteKeyRemovesALeafWithItsValuesAndRefusesAKeyWithSubkeys) {
  auto& store = *this->store_;
  const store_contract::KeyRef parent = this->Create(this->base, "Parent");
  const store_contract::KeyRef child = this->Create(parent, "Child");
  this->SetString(child, "v", "x");
  store.CloseKey(child);
  EXPECT_NE(store.DeleteKey(this->base, "Parent"), 0);
  EXPECT_EQ(store.DeleteKey(parent, "child"), 0);
  EXPECT_NE(store.OpenKey(parent, "Child", store_contract::KeyAccess::Read).error, 0);
  EXPECT_NE(store.DeleteKey(parent, "Child"), 0) << "a missing key";
  store.CloseKey(parent);
  EXPECT_EQ(store.DeleteKey(this->base, "Parent"), 0);
  EXPECT_TRUE(this->Subkeys(this->base).empty());
}

TYPED_TEST_P(RegistryStoreContract, AKeyOfADeletedKeyAnswersWithAFailure) {
  auto& store = *this->store_;
  const store_contract::KeyRef doomed = this->Create(this->base, "Doomed");
  EXPECT_EQ(store.DeleteKey(this->base, "Doomed"), 0);
  EXPECT_NE(store.QueryInfoKey(doomed).error, 0);
  EXPECT_NE(store.CreateKey(doomed, "Child").error, 0);
  EXPECT_EQ(store.CloseKey(doomed), 0) << "closing it still succeeds";
}

REGISTER_TYPED_TEST_SUITE_P(RegistryStoreContract, CreateOpensAMissingKeyAndOpensAnExistingOne,
                            NamesAreComparedWithoutRegardToCase, EnumerationListsSubkeysUntilNoneIsLeft,
                            EnumerationRefusesANameLongerThanTheBuffer, ValuesAreCountedAndEnumeratedByName,
                            DefaultValueIsTheValueWithNoName, AKeyOpenedForReadingTakesNoValues,
                            DeleteKeyRemovesALeafWithItsValuesAndRefusesAKeyWithSubkeys,
                            AKeyOfADeletedKeyAnswersWithAFailure);
