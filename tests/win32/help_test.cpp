// The order in which help is looked for, and the viewer binding with its remembered
// failure, over stand-ins for the platform operations; then the real runtime once.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "shell/win32/help.h"

namespace {

using quellin::win32::Help;
using quellin::win32::Library;

struct ViewerCall {
  HWND owner;
  std::string file;
  UINT command;
  DWORD_PTR data;
};
std::vector<ViewerCall> viewerCalls;
HWND viewerAnswer = nullptr;

HWND WINAPI FakeHtmlHelp(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
  viewerCalls.push_back({owner, file, command, data});
  return viewerAnswer;
}

class FakeHelpPlatform final : public quellin::win32::HelpPlatform {
 public:
  std::string path = "C:\\Program Files\\Quellin\\Quellin.exe";
  std::optional<std::string> recorded = "C:\\windows\\system32\\hhctrl.ocx";
  std::vector<std::string> loadable = {"C:\\windows\\system32\\hhctrl.ocx", "hhctrl.ocx"};
  bool hasEntry = true;
  std::vector<std::string> log;

  std::string ModulePath() override { return path; }
  std::optional<std::string> RecordedRuntimeLocation() override {
    log.push_back("recorded");
    return recorded;
  }
  Library LoadRuntime(const char* name) override {
    log.push_back(std::string("load ") + name);
    for (const auto& l : loadable) {
      // A real module stands in for the runtime, so that its release is real too.
      if (l == name) return Library(::LoadLibraryA("kernel32.dll"));
    }
    return Library();
  }
  FARPROC EntryByOrdinal(HMODULE, WORD ordinal) override {
    log.push_back("entry " + std::to_string(ordinal));
    return hasEntry ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeHtmlHelp)) : nullptr;
  }
  void OpenDocument(const std::string& target) override { log.push_back("open " + target); }
};

class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewerCalls.clear();
    viewerAnswer = reinterpret_cast<HWND>(0x1234);
  }
  FakeHelpPlatform platform;
  Help help{platform};
  HWND owner = reinterpret_cast<HWND>(0x42);
};

TEST_F(HelpTest, HelpFileBesideTheProgramOpensInTheViewer) {
  help.ShowHelp(owner);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"recorded", "load C:\\windows\\system32\\hhctrl.ocx", "entry 14"}));
  ASSERT_EQ(viewerCalls.size(), 1u);
  EXPECT_EQ(viewerCalls[0].owner, owner);
  EXPECT_EQ(viewerCalls[0].file, "C:\\Program Files\\Quellin\\quellin.chm");
  EXPECT_EQ(viewerCalls[0].command, 0u);
  EXPECT_EQ(viewerCalls[0].data, 0u);

  platform.log.clear();
  help.ShowHelp(owner);
  EXPECT_TRUE(platform.log.empty()) << "the binding is kept";
  EXPECT_EQ(viewerCalls.size(), 2u);
}

TEST_F(HelpTest, HelpFileThatCannotBeShownFallsBackToTheReadmeEachTime) {
  viewerAnswer = nullptr;
  help.ShowHelp(owner);
  help.ShowHelp(owner);
  EXPECT_EQ(viewerCalls.size(), 2u) << "a missing help file is no failure of the runtime";
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "open C:\\Program Files\\Quellin\\readme.htm"), 2);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "recorded"), 1);
}

TEST_F(HelpTest, RuntimeIsFoundByFileNameWhenItsLocationIsMissingOrWrong) {
  for (const std::optional<std::string>& recorded : {std::optional<std::string>(), std::optional<std::string>("D:\\gone.ocx")}) {
    SCOPED_TRACE(recorded.value_or("(none)"));
    FakeHelpPlatform p;
    p.recorded = recorded;
    Help h(p);
    h.ShowHelp(owner);
    std::vector<std::string> expected = {"recorded"};
    if (recorded) expected.push_back("load " + *recorded);
    expected.insert(expected.end(), {"load hhctrl.ocx", "entry 14"});
    EXPECT_EQ(p.log, expected);
  }
}

TEST_F(HelpTest, FailedBindingIsRememberedAndEveryRequestOpensTheReadme) {
  struct Case {
    const char* name;
    bool loadable;
    bool entry;
  };
  for (const Case c : {Case{"no runtime", false, true}, Case{"no entry", true, false}}) {
    SCOPED_TRACE(c.name);
    FakeHelpPlatform p;
    if (!c.loadable) p.loadable.clear();
    p.hasEntry = c.entry;
    Help h(p);
    h.ShowHelp(owner);
    ASSERT_FALSE(p.log.empty());
    EXPECT_EQ(p.log.back(), "open C:\\Program Files\\Quellin\\readme.htm");
    p.log.clear();
    h.ShowHelp(owner);
    h.ShowHelp(owner);
    EXPECT_EQ(p.log, (std::vector<std::string>{"open C:\\Program Files\\Quellin\\readme.htm",
                                               "open C:\\Program Files\\Quellin\\readme.htm"}));
  }
  EXPECT_TRUE(viewerCalls.empty());
}

TEST_F(HelpTest, PathWithoutBackslashOpensTheProductPage) {
  for (const char* path : {"Quellin.exe", ""}) {
    SCOPED_TRACE(path);
    FakeHelpPlatform p;
    p.path = path;
    Help h(p);
    h.ShowHelp(owner);
    EXPECT_EQ(p.log, (std::vector<std::string>{std::string("open ") + Help::kProductPage}));
  }
}

TEST(Win32HelpPlatform, FindsTheRealRuntimeAndItsEntry) {
  quellin::win32::Win32HelpPlatform platform;
  EXPECT_NE(platform.ModulePath().find('\\'), std::string::npos);
  const Library runtime = platform.LoadRuntime("hhctrl.ocx");
  ASSERT_TRUE(runtime);
  EXPECT_NE(platform.EntryByOrdinal(runtime.get(), 14), nullptr);

  // A help file that does not exist: the viewer says so at once.
  Help help(platform);
  EXPECT_EQ(help.HtmlHelp(nullptr, "C:\\no such folder\\quellin.chm", 0, 0), nullptr);
}

}  // namespace
