#pragma once
// One suite for every ConfigStore: the in-memory store and the registry store must give
// LoadSettings and SaveSettings the same answers. Instantiate with a factory type F:
//   static std::unique_ptr<quellin::ConfigStore> Make();   // a store over an empty settings key
//   static void PutRaw(const std::string& name, const std::vector<std::uint8_t>& bytes);
//   static void PutDword(const std::string& name, std::uint32_t v);
//   static std::optional<std::uint32_t> GetDword(const std::string& name);  // nullopt: missing or not 4 bytes
//   static std::vector<std::string> ValueNamesInOrder();  // in the order first written
//   static bool KeyExists();
//   INSTANTIATE_TYPED_TEST_SUITE_P(Memory, ConfigStoreContract, F);
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"

template <typename F>
class ConfigStoreContract : public ::testing::Test {
 protected:
  std::unique_ptr<quellin::ConfigStore> store = F::Make();

  quellin::Settings Load() { return quellin::LoadSettings(*store); }
};

TYPED_TEST_SUITE_P(ConfigStoreContract);

TYPED_TEST_P(ConfigStoreContract, FirstRunGivesDefaultsAndLeavesAnEmptyKey) {
  const quellin::Settings s = this->Load();
  EXPECT_EQ(s.WorkPeriod, 30u);
  EXPECT_EQ(s.RestPeriod, 5u);
  EXPECT_FALSE(s.DisableChanges);
  EXPECT_FALSE(s.UseSounds);
  EXPECT_TRUE(s.UseColors);
  EXPECT_EQ(s.RestColor, 255u);
  EXPECT_TRUE(TypeParam::KeyExists());
  EXPECT_TRUE(TypeParam::ValueNamesInOrder().empty());
}

TYPED_TEST_P(ConfigStoreContract, StoreWritesSixDwordsInOrderAndLoadsThemBack) {
  quellin::Settings s;
  s.WorkPeriod = 45;
  s.RestPeriod = 12;
  s.UseSounds = true;
  s.DisableChanges = true;
  s.UseColors = false;
  s.RestColor = 0x00123456;
  EXPECT_EQ(quellin::SaveSettings(*this->store, s), 0);

  const std::vector<std::string> order = {"RestPeriod", "WorkPeriod", "DisableChanges",
                                          "UseSounds",  "UseColors",  "RestColor"};
  EXPECT_EQ(TypeParam::ValueNamesInOrder(), order);
  EXPECT_EQ(TypeParam::GetDword("WorkPeriod"), 45u);
  EXPECT_EQ(TypeParam::GetDword("RestPeriod"), 12u);
  EXPECT_EQ(TypeParam::GetDword("UseSounds"), 1u);
  EXPECT_EQ(TypeParam::GetDword("DisableChanges"), 1u);
  EXPECT_EQ(TypeParam::GetDword("UseColors"), 0u);
  EXPECT_EQ(TypeParam::GetDword("RestColor"), 0x00123456u);

  const quellin::Settings back = this->Load();
  EXPECT_EQ(back.WorkPeriod, 45u);
  EXPECT_EQ(back.RestPeriod, 12u);
  EXPECT_TRUE(back.UseSounds);
  EXPECT_TRUE(back.DisableChanges);
  EXPECT_FALSE(back.UseColors);
  EXPECT_EQ(back.RestColor, 0x00123456u);
}

TYPED_TEST_P(ConfigStoreContract, PeriodsOutsideTheirRangesTakeTheirDefaults) {
  struct Case {
    std::uint32_t work, rest, expectedWork, expectedRest;
  };
  const Case cases[] = {
      {2, 1, 2, 1},         {240, 60, 240, 60},     {1, 0, 30, 5},
      {241, 61, 30, 5},     {0xFFFFFFFF, 0xFFFFFFFF, 30, 5}, {0x80000002, 0x80000001, 30, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "work " << c.work << ", rest " << c.rest);
    TypeParam::PutDword("WorkPeriod", c.work);
    TypeParam::PutDword("RestPeriod", c.rest);
    const quellin::Settings s = this->Load();
    EXPECT_EQ(s.WorkPeriod, c.expectedWork);
    EXPECT_EQ(s.RestPeriod, c.expectedRest);
  }
}

TYPED_TEST_P(ConfigStoreContract, FlagsAreNonzeroAndAreWrittenBackAsOne) {
  TypeParam::PutDword("UseColors", 0);
  TypeParam::PutDword("UseSounds", 7);
  TypeParam::PutDword("DisableChanges", 0x80000000);
  quellin::Settings s = this->Load();
  EXPECT_FALSE(s.UseColors);
  EXPECT_TRUE(s.UseSounds);
  EXPECT_TRUE(s.DisableChanges);

  TypeParam::PutDword("UseColors", 7);
  s = this->Load();
  EXPECT_TRUE(s.UseColors);
  quellin::SaveSettings(*this->store, s);
  EXPECT_EQ(TypeParam::GetDword("UseColors"), 1u);
  EXPECT_EQ(TypeParam::GetDword("UseSounds"), 1u);
  EXPECT_EQ(TypeParam::GetDword("DisableChanges"), 1u);
}

TYPED_TEST_P(ConfigStoreContract, RestColorKeepsItsHighByte) {
  TypeParam::PutDword("RestColor", 0xFF00FF80);
  EXPECT_EQ(this->Load().RestColor, 0xFF00FF80u);
}

TYPED_TEST_P(ConfigStoreContract, ValuesOfOtherSizesAreHandledAlone) {
  // Too long counts as missing; too short is read into a zero-filled buffer.
  TypeParam::PutRaw("WorkPeriod", {10, 0, 0, 0, 0, 0, 0, 0});
  TypeParam::PutRaw("RestColor", {0x34, 0x12});
  TypeParam::PutRaw("UseColors", {});
  TypeParam::PutRaw("RestPeriod", {9, 0, 0, 0});
  const quellin::Settings s = this->Load();
  EXPECT_EQ(s.WorkPeriod, 30u);
  EXPECT_EQ(s.RestColor, 0x1234u);
  EXPECT_FALSE(s.UseColors);
  EXPECT_EQ(s.RestPeriod, 9u);
}

REGISTER_TYPED_TEST_SUITE_P(ConfigStoreContract, FirstRunGivesDefaultsAndLeavesAnEmptyKey,
                            StoreWritesSixDwordsInOrderAndLoadsThemBack,
                            PeriodsOutsideTheirRangesTakeTheirDefaults, FlagsAreNonzeroAndAreWrittenBackAsOne,
                            RestColorKeepsItsHighByte, ValuesOfOtherSizesAreHandledAlone);
