#pragma once
// One suite for every TextSource: the compiled-in table and the platform's string
// resources must answer alike. Instantiate with a factory type whose Make() returns a
// std::unique_ptr<quellin::TextSource>:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Builtin, TextSourceContract, MyFactory);
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/texts.h"
#include "resources/resource_ids.h"

template <typename Factory>
class TextSourceContract : public ::testing::Test {
 protected:
  std::unique_ptr<quellin::TextSource> texts = Factory::Make();
};

TYPED_TEST_SUITE_P(TextSourceContract);

TYPED_TEST_P(TextSourceContract, LoadsTextsExactly) {
  const auto& t = *this->texts;
  EXPECT_EQ(t.LoadText(IDS_TITLE), "Verrow Quellin!");
  EXPECT_EQ(t.LoadText(IDS_TIP_REST_SOON), "Rest in < 1 min.");
  EXPECT_EQ(t.LoadText(IDS_HOOK_FAILED),
            "Windows request to detect keyboard activity failed.\n\nThe program will now exit.");
  EXPECT_EQ(t.LoadText(IDS_TIP_COLOR_SWATCH), "Use variations on this color as the \"rest\" color.");
  EXPECT_EQ(t.LoadText(IDS_QN_FIVE_MINS_DENIED), "QN_FiveMinsDenied");
}

TYPED_TEST_P(TextSourceContract, FormatsInserts) {
  const auto& t = *this->texts;
  EXPECT_EQ(t.FormatText(IDS_BAD_WORK_PERIOD, {2, 240}),
            "Please enter a work period between 2 and 240 minutes.");
  EXPECT_EQ(t.FormatText(IDS_BAD_REST_PERIOD, {1, 60}),
            "Please enter a rest period between 1 and 60 minutes.");
  EXPECT_EQ(t.FormatText(IDS_TIP_RESTING, {1}), "Quellin!  for 1 min.  rest");
  EXPECT_EQ(t.FormatText(IDS_TIP_REST_IN, {12}), "Rest in about 12 min.");
  EXPECT_EQ(t.FormatText(IDS_TIP_REST_IN, {-3}), "Rest in about -3 min.");
}

TYPED_TEST_P(TextSourceContract, MissingIdsAreEmpty) {
  const auto& t = *this->texts;
  for (std::uint16_t id : {0, 1, 104, 106, 57355, 57361, 57368, 65535}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(t.LoadText(id), "");
    EXPECT_EQ(t.FormatText(id, {1, 2}), "");
  }
}

REGISTER_TYPED_TEST_SUITE_P(TextSourceContract, LoadsTextsExactly, FormatsInserts, MissingIdsAreEmpty);
