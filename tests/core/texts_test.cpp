#include "tests/contracts/text_source_contract.h"

namespace {

struct BuiltinFactory {
  static std::unique_ptr<quellin::TextSource> Make() { return std::make_unique<quellin::BuiltinTexts>(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Builtin, TextSourceContract, BuiltinFactory);

}  // namespace
