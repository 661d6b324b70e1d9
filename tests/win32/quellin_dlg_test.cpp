// The settings window as the program creates it (template 102, the real resources and
// registry), with a stand-in for the shell's notification area: the tray icon comes back
// when the shell announces a new taskbar, the swatch is drawn in the rest colour, and
// the close command ends everything in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <ctime>
#include <vector>

#include "shell/win32/quellin_dlg.h"
#include "shell/win32/registry_config_store.h"
#include "resources/resource_ids.h"

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

BOOL CALLBACK KeepTooltips(HWND window, LPARAM out) {
  char name[32] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}

// The tooltip control of this thread's dialog: a top-level window of its own.
HWND FindTooltips() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &KeepTooltips, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(SettingsWindowTest, InitialisationFillsTheControlsFromTheSettings) {
  HWND window = dialog.hwnd();
  EXPECT_EQ(::GetDlgItemInt(window, IDC_WORK_PERIOD, nullptr, TRUE), 30u);
  EXPECT_EQ(::GetDlgItemInt(window, IDC_REST_PERIOD, nullptr, TRUE), 5u);
  EXPECT_EQ(::IsDlgButtonChecked(window, IDC_BEEP_RADIO), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(::IsDlgButtonChecked(window, IDC_SOUNDS_RADIO), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(::IsDlgButtonChecked(window, IDC_COLOR_CHECK), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(::IsDlgButtonChecked(window, IDC_DISABLE_CHANGES), static_cast<UINT>(BST_UNCHECKED));
  // UDM_GETRANGE answers the upper limit in the low word, the lower in the high word.
  EXPECT_EQ(::SendDlgItemMessageA(window, IDC_WORK_SPIN, UDM_GETRANGE, 0, 0), MAKELONG(240, 2));
  EXPECT_EQ(::SendDlgItemMessageA(window, IDC_REST_SPIN, UDM_GETRANGE, 0, 0), MAKELONG(60, 1));
  EXPECT_EQ(reinterpret_cast<HICON>(::SendDlgItemMessageA(window, IDC_STATUS_IMAGE, STM_GETICON, 0, 0)),
            ::LoadIconA(module, MAKEINTRESOURCEA(IDI_LIGHT_GREEN)));
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0)),
            ::LoadIconA(module, MAKEINTRESOURCEA(IDI_LIGHT_ALL)));
  for (int id : {IDC_WORK_PERIOD, IDC_WORK_SPIN, IDC_REST_PERIOD, IDC_REST_SPIN, IDC_DISABLE_CHANGES}) {
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, id))) << id;
  }

  HWND tips = FindTooltips();
  ASSERT_NE(tips, nullptr);
  EXPECT_TRUE(::GetWindowLongA(tips, GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_EQ(::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 8);
  const int order[] = {IDC_WORK_PERIOD, IDC_REST_PERIOD, IDC_BEEP_RADIO,      IDC_SOUNDS_RADIO,
                       IDC_COLOR_CHECK, IDC_COLOR_SWATCH, IDC_DISABLE_CHANGES, IDC_OK};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(order[i]);
    TTTOOLINFOA tool{};
    tool.cbSize = quellin::win32::kToolInfoSize;
    ASSERT_TRUE(::SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uId, static_cast<UINT_PTR>(order[i]));
    EXPECT_EQ(tool.hwnd, ::GetDlgItem(window, order[i]));
    EXPECT_EQ(tool.uFlags & TTF_IDISHWND, 0u);
    EXPECT_NE(tool.uFlags & TTF_SUBCLASS, 0u);
  }
}

TEST_F(SettingsWindowTest, PeriodTextsAreReadUpToThirtyCharacters) {
  quellin::win32::Win32HelpPlatform helpPlatform;
  quellin::win32::Help help(helpPlatform);
  const quellin::win32::IconSet icons(module);
  quellin::win32::Win32DialogView view(dialog, module, icons, help);
  const std::string pasted = "   45" + std::string(40, 'x');
  ::SetDlgItemTextA(dialog.hwnd(), IDC_WORK_PERIOD, pasted.c_str());
  EXPECT_EQ(view.ReadItemText(IDC_WORK_PERIOD), pasted.substr(0, 30));
  ::SetDlgItemTextA(dialog.hwnd(), IDC_WORK_PERIOD, "");
  EXPECT_EQ(view.ReadItemText(IDC_WORK_PERIOD), "");
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
