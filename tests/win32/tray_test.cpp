// The tray adapter's requests as the shell receives them: a stand-in for
// Shell_NotifyIconA keeps a copy of every record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/win32/tray.h"
#include "tests/win32/test_dialog.h"

namespace {

using quellin::TrayRequest;
using quellin::win32::IconSet;
using quellin::win32::Win32TrayShell;

// The record's first form: 88 bytes in the 32-bit program, wider where pointers are.
#ifdef _WIN64
constexpr DWORD kRecordSize = 104;
#else
constexpr DWORD kRecordSize = 88;
#endif

struct Request {
  DWORD message;
  NOTIFYICONDATAA record;
};
std::vector<Request> requests;
BOOL shellAnswer = TRUE;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAA data) {
  Request r{message, {}};
  // Only the bytes the record claims to have: a larger cbSize would read past the copy.
  std::memcpy(&r.record, data, data->cbSize <= sizeof r.record ? data->cbSize : sizeof r.record);
  requests.push_back(r);
  return shellAnswer;
}

class TrayShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    requests.clear();
    shellAnswer = TRUE;
    ASSERT_NE(owner.Create(), nullptr);
  }
  quellin::testing::TestDialog owner;
  IconSet icons{::GetModuleHandleA(nullptr)};
  Win32TrayShell tray{owner, icons, &RecordingShell};
};

TEST_F(TrayShellTest, PictureRequestsCarryTheFirstFormRecord) {
  struct Case {
    TrayRequest request;
    int icon;
    DWORD message;
  };
  for (const Case c : {Case{TrayRequest::Add, IDI_GREEN, NIM_ADD}, Case{TrayRequest::Modify, IDI_YELLOW_1, NIM_MODIFY},
                       Case{TrayRequest::Modify, IDI_EMPTY, NIM_MODIFY}, Case{TrayRequest::Delete, 0, NIM_DELETE}}) {
    SCOPED_TRACE(c.icon);
    requests.clear();
    EXPECT_TRUE(tray.SendIcon(c.request, c.icon));
    ASSERT_EQ(requests.size(), 1u);
    const NOTIFYICONDATAA& r = requests[0].record;
    EXPECT_EQ(requests[0].message, c.message);
    EXPECT_EQ(r.cbSize, kRecordSize);
    EXPECT_EQ(r.hWnd, owner.hwnd());
    EXPECT_EQ(r.uID, 42u);
    EXPECT_EQ(r.uFlags, 3u);
    EXPECT_EQ(r.uCallbackMessage, 1025u);
    EXPECT_EQ(r.hIcon, icons.Get(c.icon));
    EXPECT_EQ(r.szTip[0], '\0');
  }
}

TEST_F(TrayShellTest, IconSetHoldsEveryPictureAndNothingElse) {
  for (int id : {128, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 147}) {
    SCOPED_TRACE(id);
    EXPECT_NE(icons.Get(id), nullptr);
  }
  for (int id : {0, 129, 146, 148}) EXPECT_EQ(icons.Get(id), nullptr) << id;
}

TEST_F(TrayShellTest, ShellRefusalIsReported) {
  shellAnswer = FALSE;
  EXPECT_FALSE(tray.SendIcon(TrayRequest::Add, IDI_GREEN));
  EXPECT_FALSE(tray.SendTip("x"));
}

TEST_F(TrayShellTest, TooltipIsCutToSixtyThreeCharacters) {
  const std::string exact(63, 'a');
  const std::string longer = std::string(63, 'b') + "cdef";
  for (const std::string& text : {std::string("Rest in about 12 min."), std::string(), exact, longer}) {
    SCOPED_TRACE(text.size());
    requests.clear();
    EXPECT_TRUE(tray.SendTip(text.c_str()));
    ASSERT_EQ(requests.size(), 1u);
    const NOTIFYICONDATAA& r = requests[0].record;
    EXPECT_EQ(requests[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(r.cbSize, kRecordSize);
    EXPECT_EQ(r.hWnd, owner.hwnd());
    EXPECT_EQ(r.uID, 42u);
    EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(r.hIcon, nullptr);
    EXPECT_EQ(std::string(r.szTip), text.substr(0, 63));
  }
}

}  // namespace
