// The dialog base (messages reach the object, results reach the caller, the rest gets
// default processing), the settings window's message map, and the swatch drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/win32/handles.h"
#include "shell/win32/message_map.h"
#include "tests/win32/test_dialog.h"

namespace {

using quellin::testing::TestDialog;
using quellin::win32::DrawSwatch;
using quellin::win32::RouteSettingsMessage;
using quellin::win32::SettingsWindowHandlers;

constexpr UINT kHandledByTest = WM_APP + 5;

TEST(DialogWindow, RoutesMessagesAndReturnsTheirResults) {
  TestDialog dialog([](UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_INITDIALOG) {
      result = TRUE;
      return true;
    }
    if (message == kHandledByTest) {
      result = 1234;
      return true;
    }
    return false;
  });
  HWND window = dialog.Create();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialog.hwnd(), window);
  EXPECT_FALSE(::IsWindowVisible(window)) << "a template without WS_VISIBLE stays hidden";
  EXPECT_NE(std::find(dialog.seen.begin(), dialog.seen.end(), static_cast<UINT>(WM_INITDIALOG)), dialog.seen.end());

  // A handled message's result comes back through DWLP_MSGRESULT.
  EXPECT_EQ(::SendMessageA(window, kHandledByTest, 0, 0), 1234);
  // An unhandled one gets default dialog processing: the caption is still there.
  ::SetWindowTextA(window, "caption");
  char text[16] = {};
  EXPECT_EQ(::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 7);
  EXPECT_STREQ(text, "caption");

  ::DestroyWindow(window);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.finalMessages, 1);
}

TEST(DialogWindow, DestroyingTheObjectTakesTheWindowWithoutReachingTheObject) {
  HWND window = nullptr;
  {
    TestDialog dialog;
    window = dialog.Create();
    ASSERT_NE(window, nullptr);
  }
  EXPECT_FALSE(::IsWindow(window));
}

class RecordingHandlers final : public SettingsWindowHandlers {
 public:
  std::vector<std::string> calls;
  void OnSysColorChange() override { calls.push_back("syscolor"); }
  bool OnDrawItem(int controlId, const DRAWITEMSTRUCT&) override {
    calls.push_back("draw " + std::to_string(controlId));
    return controlId == IDC_COLOR_SWATCH;
  }
  void OnInitDialog() override { calls.push_back("init"); }
  void OnOK() override { calls.push_back("ok"); }
  void OnCancel() override { calls.push_back("cancel"); }
  void OnColorButton() override { calls.push_back("color"); }
  void OnHelp() override { calls.push_back("help"); }
  void OnTimer() override { calls.push_back("timer"); }
  void OnPowerBroadcast(WPARAM event) override { calls.push_back("power " + std::to_string(event)); }
  void OnTrayNotify(LPARAM mouse) override { calls.push_back("tray " + std::to_string(mouse)); }
  void OnTaskbarCreated() override { calls.push_back("taskbar"); }
};

TEST(SettingsMessageMap, RoutesExactlyTheListedMessages) {
  constexpr UINT kTaskbarCreated = 0xC123;
  DRAWITEMSTRUCT item{};
  const auto drawItem = reinterpret_cast<LPARAM>(&item);
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* handler;  // nullptr: left to default processing
    LRESULT result;
  };
  const Case cases[] = {
      {WM_SYSCOLORCHANGE, 0, 0, "syscolor", 0},
      {WM_DRAWITEM, IDC_COLOR_SWATCH, drawItem, "draw 208", 0},
      {WM_DRAWITEM, IDC_STATUS_IMAGE, drawItem, nullptr, 0},
      {WM_INITDIALOG, 0, 0, "init", TRUE},
      {WM_COMMAND, MAKEWPARAM(IDC_OK, BN_CLICKED), 0, "ok", 0},
      {WM_COMMAND, MAKEWPARAM(IDC_OK, EN_CHANGE), 0, "ok", 0},
      {WM_COMMAND, MAKEWPARAM(IDC_CANCEL, 0), 0, "cancel", 0},
      {WM_COMMAND, MAKEWPARAM(IDC_COLOR_SWATCH, BN_CLICKED), 0, "color", 0},
      {WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, 1), 0, "help", 0},
      {WM_COMMAND, MAKEWPARAM(IDC_WORK_PERIOD, EN_CHANGE), 0, nullptr, 0},
      {WM_COMMAND, MAKEWPARAM(IDC_BEEP_RADIO, BN_CLICKED), 0, nullptr, 0},
      {WM_TIMER, 1, 0, "timer", 0},
      {WM_TIMER, 77, 0, "timer", 0},
      {WM_POWERBROADCAST, 7, 0, "power 7", 0},
      {WM_POWERBROADCAST, 4, 0, "power 4", 0},
      {QUELLIN_TRAY_CALLBACK, 42, WM_LBUTTONDOWN, "tray 513", 0},
      {QUELLIN_TRAY_CALLBACK, 42, WM_MOUSEMOVE, "tray 512", 0},
      {kTaskbarCreated, 0, 0, "taskbar", 0},
      {WM_USER, 0, 0, nullptr, 0},
      {WM_USER + 2, 0, 0, nullptr, 0},
      {WM_CLOSE, 0, 0, nullptr, 0},
      {WM_NULL, 0, 0, nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "message " << c.message << " wParam " << c.wParam);
    RecordingHandlers handlers;
    LRESULT result = -1;
    const bool handled = RouteSettingsMessage(handlers, kTaskbarCreated, c.message, c.wParam, c.lParam, result);
    const bool drawnByPlatform = c.message == WM_DRAWITEM && c.handler == nullptr;
    EXPECT_EQ(handled, c.handler != nullptr);
    if (c.handler != nullptr) {
      EXPECT_EQ(handlers.calls, std::vector<std::string>{c.handler});
      EXPECT_EQ(result, c.result);
    } else if (!drawnByPlatform) {
      EXPECT_TRUE(handlers.calls.empty());
    }
  }
}

TEST(SettingsMessageMap, NoRegisteredTaskbarMessageRoutesNothingExtra) {
  RecordingHandlers handlers;
  LRESULT result = 0;
  EXPECT_FALSE(RouteSettingsMessage(handlers, 0, WM_NULL, 0, 0, result));
  EXPECT_TRUE(handlers.calls.empty());
}

// The swatch drawn into a memory bitmap, read back pixel by pixel.
class SwatchTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 24;
  static constexpr int kHeight = 14;
  static constexpr COLORREF kColor = RGB(10, 200, 30);

  std::vector<COLORREF> Draw(bool pressed) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    DrawSwatch(dc, RECT{0, 0, kWidth, kHeight}, pressed, kColor);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) pixels.push_back(::GetPixel(dc, x, y));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
  }
  static COLORREF At(const std::vector<COLORREF>& p, int x, int y) {
    return p[static_cast<std::size_t>(y * kWidth + x)];
  }
};

TEST_F(SwatchTest, FillsInsideAFrameThatSinksWhilePressed) {
  const auto up = Draw(false);
  const auto down = Draw(true);
  for (const auto* p : {&up, &down}) {
    EXPECT_EQ(At(*p, kWidth / 2, kHeight / 2), kColor);
    EXPECT_EQ(At(*p, 3, 3), kColor);
    // The frame is not painted over: the rectangle was shrunk to its inside.
    EXPECT_NE(At(*p, 0, 0), kColor);
    EXPECT_NE(At(*p, kWidth - 1, kHeight - 1), kColor);
    EXPECT_NE(At(*p, 0, kHeight / 2), kColor);
  }
  EXPECT_NE(up, down) << "a pressed swatch is drawn sunken";
}

}  // namespace
