// The hook procedure and the install/remove rules, compiled from the library's own source
// against a recording stand-in for the platform. Two process records over one shared
// section play two processes that have the library loaded.
#include "hook/hook_logic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace tapline {

// Found by argument lookup from GoogleTest's comparisons and printer.
bool operator==(const SharedHookData& a, const SharedHookData& b) {
  return a.HookHandle == b.HookHandle && a.ModuleInstance == b.ModuleInstance &&
         a.InstallCount == b.InstallCount && a.KeyCount == b.KeyCount;
}

void PrintTo(const SharedHookData& d, std::ostream* out) {
  *out << "{HookHandle " << d.HookHandle << ", ModuleInstance " << d.ModuleInstance << ", InstallCount "
       << d.InstallCount << ", KeyCount " << d.KeyCount << "}";
}

}  // namespace tapline

namespace {

using tapline::ProcessHookRecord;
using tapline::SharedHookData;

HHOOK Handle(UINT_PTR value) { return reinterpret_cast<HHOOK>(value); }
HINSTANCE Instance(UINT_PTR value) { return reinterpret_cast<HINSTANCE>(value); }

LRESULT CALLBACK SomeProcedure(int, WPARAM, LPARAM) { return 0; }

struct PassedOn {
  HHOOK hook;
  int code;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const PassedOn&) const = default;
};

struct Installed {
  HOOKPROC procedure;
  HINSTANCE module;
  bool operator==(const Installed&) const = default;
};

class FakeHookApi {
 public:
  static constexpr LRESULT kNextResult = 0x5EED;

  HHOOK SetHook(HOOKPROC procedure, HINSTANCE module) {
    installs.push_back({procedure, module});
    if (failInstall) return nullptr;
    return Handle(nextHandle++);
  }
  LRESULT CallNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    passedOn.push_back({hook, code, wParam, lParam});
    return kNextResult;
  }
  BOOL Unhook(HHOOK hook) {
    unhooked.push_back(hook);
    return unhookResult;
  }

  bool failInstall = false;
  BOOL unhookResult = 7;  // nonzero and not 1, so that a passed-on result shows as such
  UINT_PTR nextHandle = 0x100;
  std::vector<Installed> installs;
  std::vector<PassedOn> passedOn;
  std::vector<HHOOK> unhooked;
};

TEST(HookProcedure, CountsOnlyHcActionAndPassesEveryCodeOn) {
  struct Case {
    int code;
    DWORD added;
  };
  const Case cases[] = {{HC_ACTION, 1}, {HC_NOREMOVE, 0}, {-1, 0}, {INT_MIN, 0}, {1, 0}, {2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    FakeHookApi api;
    SharedHookData shared{Handle(0x44), Instance(0x1000), 1, 41};
    const LPARAM keyUp = static_cast<LPARAM>(0xC01E0001u);
    EXPECT_EQ(FakeHookApi::kNextResult, tapline::CountAndPassOn(api, shared, c.code, 'A', keyUp));
    EXPECT_EQ(41 + c.added, shared.KeyCount);
    EXPECT_THAT(api.passedOn, testing::ElementsAre(PassedOn{Handle(0x44), c.code, 'A', keyUp}));
    EXPECT_TRUE(api.installs.empty() && api.unhooked.empty());
  }
}

TEST(HookProcedure, CountWrapsAroundAt32Bits) {
  FakeHookApi api;
  SharedHookData shared{Handle(0x44), nullptr, 1, 0xFFFFFFFFu};
  tapline::CountAndPassOn(api, shared, HC_ACTION, 0, 0);
  EXPECT_EQ(0u, shared.KeyCount);
}

TEST(InstallRemove, SecondInstallOnlyCountsAndTheLastRemoveUnhooks) {
  FakeHookApi api;
  SharedHookData shared{};
  ProcessHookRecord process;
  tapline::RecordAttach(shared, process, Instance(0x6300), DLL_PROCESS_ATTACH);

  EXPECT_EQ(TRUE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_EQ(TRUE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_THAT(api.installs, testing::ElementsAre(Installed{&SomeProcedure, Instance(0x6300)}));
  EXPECT_EQ((SharedHookData{Handle(0x100), Instance(0x6300), 2, 0}), shared);

  EXPECT_EQ(TRUE, tapline::Remove(api, shared, process));
  EXPECT_TRUE(api.unhooked.empty());
  EXPECT_EQ((SharedHookData{Handle(0x100), Instance(0x6300), 1, 0}), shared);

  EXPECT_EQ(7, tapline::Remove(api, shared, process));
  EXPECT_THAT(api.unhooked, testing::ElementsAre(Handle(0x100)));
  EXPECT_EQ((SharedHookData{nullptr, Instance(0x6300), 0, 0}), shared);

  // Unmatched removes change nothing.
  EXPECT_EQ(TRUE, tapline::Remove(api, shared, process));
  EXPECT_EQ(1u, api.unhooked.size());
  EXPECT_EQ((SharedHookData{nullptr, Instance(0x6300), 0, 0}), shared);

  // And the hook can be installed again afterwards.
  EXPECT_EQ(TRUE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_EQ((SharedHookData{Handle(0x101), Instance(0x6300), 1, 0}), shared);
}

TEST(InstallRemove, RefusedInstallLeavesEverythingAsItWas) {
  FakeHookApi api;
  api.failInstall = true;
  SharedHookData shared{nullptr, Instance(0x6300), 0, 9};
  ProcessHookRecord process{Instance(0x6300), nullptr};
  EXPECT_EQ(FALSE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_EQ((SharedHookData{nullptr, Instance(0x6300), 0, 9}), shared);
  EXPECT_EQ(TRUE, tapline::Remove(api, shared, process));
  EXPECT_TRUE(api.unhooked.empty());
}

TEST(InstallRemove, FailedUnhookIsReportedAndTheHandleClearedAllTheSame) {
  FakeHookApi api;
  api.unhookResult = FALSE;
  SharedHookData shared{};
  ProcessHookRecord process{Instance(0x6300), nullptr};
  tapline::Install(api, shared, process, &SomeProcedure);
  EXPECT_EQ(FALSE, tapline::Remove(api, shared, process));
  EXPECT_EQ(nullptr, shared.HookHandle);
  EXPECT_EQ(0, shared.InstallCount);
}

TEST(InstallRemove, InstallsWithThisProcessesOwnModuleHandle) {
  // A process that loaded the library at another address has overwritten the shared
  // module handle; it names nothing in the process that installs.
  FakeHookApi api;
  SharedHookData shared{};
  ProcessHookRecord installer;
  ProcessHookRecord relocated;
  tapline::RecordAttach(shared, installer, Instance(0x6300), DLL_PROCESS_ATTACH);
  tapline::RecordAttach(shared, relocated, Instance(0x7700), DLL_PROCESS_ATTACH);
  EXPECT_EQ(Instance(0x7700), shared.ModuleInstance);
  tapline::Install(api, shared, installer, &SomeProcedure);
  EXPECT_THAT(api.installs, testing::ElementsAre(Installed{&SomeProcedure, Instance(0x6300)}));
}

TEST(InstallRemove, OnlyProcessAttachRecordsTheModule) {
  const DWORD others[] = {DLL_PROCESS_DETACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH};
  for (DWORD reason : others) {
    SCOPED_TRACE(reason);
    SharedHookData shared{nullptr, Instance(0x6300), 0, 0};
    ProcessHookRecord process;
    tapline::RecordAttach(shared, process, Instance(0x7700), reason);
    EXPECT_EQ(Instance(0x6300), shared.ModuleInstance);
    EXPECT_EQ(nullptr, process.Module);
  }
}

// A program that ended without RemoveHooks left its handle and its install in the shared
// section while other processes kept the library loaded; the platform removed its hook.
class StaleRecord : public testing::Test {
 protected:
  FakeHookApi api;
  SharedHookData shared{Handle(0x55), Instance(0x6300), 1, 300};
  ProcessHookRecord process{Instance(0x6300), nullptr};
};

TEST_F(StaleRecord, InstallPutsInARealHookInsteadOfReportingTheDeadOne) {
  EXPECT_EQ(TRUE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_EQ(1u, api.installs.size());
  EXPECT_EQ((SharedHookData{Handle(0x100), Instance(0x6300), 1, 300}), shared);

  EXPECT_EQ(7, tapline::Remove(api, shared, process));
  EXPECT_THAT(api.unhooked, testing::ElementsAre(Handle(0x100)));
  EXPECT_EQ((SharedHookData{nullptr, Instance(0x6300), 0, 300}), shared);
}

TEST_F(StaleRecord, RefusedInstallIsReportedAsAFailure) {
  api.failInstall = true;
  EXPECT_EQ(FALSE, tapline::Install(api, shared, process, &SomeProcedure));
  EXPECT_EQ((SharedHookData{Handle(0x55), Instance(0x6300), 1, 300}), shared);
}

TEST_F(StaleRecord, RemoveWithoutAnInstallOfThisProcessLeavesIt) {
  EXPECT_EQ(TRUE, tapline::Remove(api, shared, process));
  EXPECT_TRUE(api.unhooked.empty());
  EXPECT_EQ((SharedHookData{Handle(0x55), Instance(0x6300), 1, 300}), shared);
}

TEST(InstallRemove, TwoLiveInstallersEachRemoveTheirOwnHook) {
  FakeHookApi api;
  SharedHookData shared{nullptr, Instance(0x6300), 0, 0};
  ProcessHookRecord first{Instance(0x6300), nullptr};
  ProcessHookRecord second{Instance(0x6300), nullptr};

  tapline::Install(api, shared, first, &SomeProcedure);
  EXPECT_EQ(TRUE, tapline::Install(api, shared, second, &SomeProcedure));
  EXPECT_EQ((SharedHookData{Handle(0x101), Instance(0x6300), 1, 0}), shared);

  // The first one's remove takes away its own hook and leaves the second one's record.
  EXPECT_EQ(7, tapline::Remove(api, shared, first));
  EXPECT_THAT(api.unhooked, testing::ElementsAre(Handle(0x100)));
  EXPECT_EQ((SharedHookData{Handle(0x101), Instance(0x6300), 1, 0}), shared);

  EXPECT_EQ(7, tapline::Remove(api, shared, second));
  EXPECT_THAT(api.unhooked, testing::ElementsAre(Handle(0x100), Handle(0x101)));
  EXPECT_EQ(nullptr, shared.HookHandle);
}

TEST(InstallRemove, InstallerWhoseRecordWasTakenOverReclaimsItsOwnHook) {
  FakeHookApi api;
  SharedHookData shared{nullptr, Instance(0x6300), 0, 0};
  ProcessHookRecord first{Instance(0x6300), nullptr};
  ProcessHookRecord second{Instance(0x6300), nullptr};
  tapline::Install(api, shared, first, &SomeProcedure);
  tapline::Install(api, shared, second, &SomeProcedure);

  EXPECT_EQ(TRUE, tapline::Install(api, shared, first, &SomeProcedure));
  EXPECT_EQ(2u, api.installs.size());
  EXPECT_EQ((SharedHookData{Handle(0x100), Instance(0x6300), 1, 0}), shared);
}

}  // namespace
