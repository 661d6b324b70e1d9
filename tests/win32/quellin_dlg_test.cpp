// The settings window as the program creates it (template 102, the real resources and
// registry), with a stand-in for the shell's notification area: the tray icon comes back
// when the shell announces a new taskbar, the swatch is drawn in the rest colour, and
// the close command ends everything in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "shell/win32/quellin_dlg.h"
#include "shell/win32/registry_config_store.h"
#include "shell/win32/resource_ids.h"

namespace {

using quellin::win32::CQuellinDlg;

struct Request {
  DWORD message;
  NOTIFYICONDATAA record;
};
std::vector<Request> requests;
BOOL shellAnswer = TRUE;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAA data) {
  Request r{message, {}};
  std::memcpy(&r.record, data, data->cbSize <= sizeof r.record ? data->cbSize : sizeof r.record);
  requests.push_back(r);
  return shellAnswer;
}

class StillInput final : public quellin::InputSource {
 public:
  std::uint32_t GetKeyboardCount() override { return 0; }
  void GetMousePos(std::int32_t& x, std::int32_t& y) override { x = y = 0; }
};

std::vector<DWORD> PictureMessages() {
  std::vector<DWORD> out;
  for (const Request& r : requests) {
    if (r.record.uFlags != NIF_TIP) out.push_back(r.message);
  }
  return out;
}
int TipCount() {
  int n = 0;
  for (const Request& r : requests) n += r.record.uFlags == NIF_TIP ? 1 : 0;
  return n;
}

class SettingsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    requests.clear();
    shellAnswer = TRUE;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, quellin::win32::RegistryConfigStore::kKeyPath);
    ASSERT_NE(dialog.Create(), nullptr);
  }
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  StillInput input;
  CQuellinDlg dialog{module, input, static_cast<quellin::Seconds>(std::time(nullptr)), &RecordingShell};
  const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
};

TEST_F(SettingsWindowTest, StartsHiddenWithItsCaptionAndTheGreenSquare) {
  HWND window = dialog.hwnd();
  EXPECT_FALSE(::IsWindowVisible(window));
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Verrow Quellin!");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(requests[0].record.hIcon, ::LoadIconA(module, MAKEINTRESOURCEA(IDI_GREEN)));
  EXPECT_EQ(requests[0].record.hWnd, window);
}

TEST_F(SettingsWindowTest, NewTaskbarGetsTheIconAndTheTooltipAgain) {
  HWND window = dialog.hwnd();
  ::SendMessageA(window, WM_TIMER, QUELLIN_TIMER_ID, 0);
  ASSERT_EQ(TipCount(), 1);
  ::SendMessageA(window, WM_TIMER, QUELLIN_TIMER_ID, 0);
  ASSERT_EQ(TipCount(), 1) << "an unchanged tooltip is sent once";

  requests.clear();
  ::SendMessageA(window, taskbarCreated, 0, 0);
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_ADD});
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].record.hIcon, ::LoadIconA(module, MAKEINTRESOURCEA(IDI_GREEN)));

  requests.clear();
  ::SendMessageA(window, WM_TIMER, QUELLIN_TIMER_ID, 0);
  EXPECT_EQ(TipCount(), 1) << "the new icon has no tooltip until it is sent again";
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_MODIFY});
}

TEST_F(SettingsWindowTest, RefusedAddAfterANewTaskbarIsTriedAgainAtTheNextTick) {
  HWND window = dialog.hwnd();
  shellAnswer = FALSE;
  requests.clear();
  ::SendMessageA(window, taskbarCreated, 0, 0);
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_ADD});
  shellAnswer = TRUE;
  requests.clear();
  ::SendMessageA(window, WM_TIMER, QUELLIN_TIMER_ID, 0);
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_ADD});
  requests.clear();
  ::SendMessageA(window, WM_TIMER, QUELLIN_TIMER_ID, 0);
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_MODIFY});
}

TEST_F(SettingsWindowTest, SwatchIsDrawnInTheRestColourAndOtherItemsAreLeftAlone) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 20, 12);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  const RECT all{0, 0, 20, 12};
  ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = IDC_STATUS_IMAGE;
  item.hDC = dc;
  item.rcItem = all;
  ::SendMessageA(dialog.hwnd(), WM_DRAWITEM, IDC_STATUS_IMAGE, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(::GetPixel(dc, 10, 6), RGB(255, 255, 255));

  item.CtlID = IDC_COLOR_SWATCH;
  item.itemState = ODS_SELECTED;
  EXPECT_EQ(::SendMessageA(dialog.hwnd(), WM_DRAWITEM, IDC_COLOR_SWATCH, reinterpret_cast<LPARAM>(&item)), 0);
  EXPECT_EQ(::GetPixel(dc, 10, 6), RGB(255, 0, 0)) << "the default rest colour";

  ::SelectObject(dc, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(dc);
}

TEST_F(SettingsWindowTest, CloseRemovesTheIconDestroysTheWindowAndQuits) {
  HWND window = dialog.hwnd();
  requests.clear();
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CANCEL, BN_CLICKED), 0);
  EXPECT_EQ(PictureMessages(), std::vector<DWORD>{NIM_DELETE});
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(dialog.hwnd(), nullptr);
  MSG message;
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
