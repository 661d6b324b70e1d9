// Plays every case folder under golden/: a script (script.rgs, or script.path naming a file of
// the repository), the store it starts from (before.reg, empty when missing), the pass, and
// the output that it must give (expected.txt: the result line and the store it leaves).
// Optional files: codepage ("dbcs" for the double-byte test page), module (the program path).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/registry_script.h"
#include "alerts/regscript/store_text.h"

namespace {

namespace fs = std::filesystem;
using namespace quellin::regscript;

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string FirstLine(const fs::path& path) {
  std::string text = ReadAll(path);
  return text.substr(0, text.find_first_of("\r\n"));
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(QUELLIN_GOLDEN_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenScript : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenScript, LeavesTheExpectedStore) {
  const fs::path dir = fs::path(QUELLIN_GOLDEN_DIR) / GetParam();
  const std::string pass = FirstLine(dir / "pass");
  ASSERT_TRUE(pass == "register" || pass == "unregister") << pass;
  const std::string script = fs::exists(dir / "script.path")
                                 ? ReadAll(fs::path(QUELLIN_SOURCE_DIR) / FirstLine(dir / "script.path"))
                                 : ReadAll(dir / "script.rgs");
  const CodePage& codePage = fs::exists(dir / "codepage") && FirstLine(dir / "codepage") == "dbcs"
                                 ? DoubleByteTestCodePage()
                                 : SingleByteCodePage();
  const std::string module =
      fs::exists(dir / "module") ? FirstLine(dir / "module") : "C:\\Program Files\\Quellin\\Quellin.exe";

  MemoryStore store;
  if (fs::exists(dir / "before.reg")) {
    std::string error;
    ASSERT_TRUE(ReadStoreText(ReadAll(dir / "before.reg"), store, &error)) << error;
  }
  CRegistryScript run(store, codePage);
  AddModuleReplacement(run.replacements(), codePage.ToUtf16(module));
  const Result result = run.RunScript(script, pass == "register");

  char line[32];
  std::snprintf(line, sizeof line, "result 0x%08x\n", static_cast<unsigned>(result));
  EXPECT_EQ(line + WriteStoreText(store), ReadAll(dir / "expected.txt"));
  EXPECT_EQ(store.OpenHandles(), 0u) << "every key the run opened is closed again";
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenScript, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
