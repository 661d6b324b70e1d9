#include "shell/win32/settings_view.h"

#include "resources/resource_ids.h"

namespace quellin::win32 {
namespace {

#ifndef _WIN64
static_assert(kToolInfoSize == 44);
static_assert(kChooseColorSize == 36);
#endif
constexpr DWORD kChooseColorFlags = CC_RGBINIT | CC_SOLIDCOLOR;
static_assert(kChooseColorFlags == 0x81);
constexpr UINT kTopmostQuietly = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;
static_assert(kTopmostQuietly == 0x1B);
// GetDlgItemTextA's limit: at most 30 characters and the terminating zero.
constexpr int kItemTextLimit = 31;

}  // namespace

void Win32DialogView::SetCaption(const std::string& text) { ::SetWindowTextA(window(), text.c_str()); }

void Win32DialogView::SetBigIcon(int iconId) {
  ::SendMessageA(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Get(iconId)));
}

void Win32DialogView::CheckRadioButton(int first, int last, int checked) {
  ::CheckRadioButton(window(), first, last, checked);
}

void Win32DialogView::CheckDlgButton(int controlId, bool checked) {
  ::CheckDlgButton(window(), controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32DialogView::SetDlgItemInt(int controlId, std::int32_t value) {
  ::SetDlgItemInt(window(), controlId, static_cast<UINT>(value), TRUE);
}

void Win32DialogView::SetUpDownRange(int controlId, int lower, int upper) {
  ::SendDlgItemMessageA(window(), controlId, UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

void Win32DialogView::CreateTooltips() {
  ::InitCommonControls();
  tips_.reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, module_, nullptr));
  ::SetWindowPos(tips_.get(), HWND_TOPMOST, 0, 0, 0, 0, kTopmostQuietly);
}

void Win32DialogView::AddControlTip(int controlId, int stringId) {
  HWND control = ::GetDlgItem(window(), controlId);
  TTTOOLINFOA tool{};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = static_cast<UINT_PTR>(controlId);
  ::GetClientRect(control, &tool.rect);
  tool.hinst = module_;
  // The tooltip control loads the text from the string table itself.
  tool.lpszText = MAKEINTRESOURCEA(stringId);
  ::SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

unsigned Win32DialogView::StartTimer() {
  return static_cast<unsigned>(::SetTimer(window(), QUELLIN_TIMER_ID, QUELLIN_TIMER_MS, nullptr));
}

void Win32DialogView::KillTimer(unsigned timerId) { ::KillTimer(window(), timerId); }

void Win32DialogView::SetStatusImage(int iconId) {
  ::SendDlgItemMessageA(window(), IDC_STATUS_IMAGE, STM_SETICON, reinterpret_cast<WPARAM>(icons_.Get(iconId)), 0);
}

void Win32DialogView::EnableControl(int controlId, bool enable) {
  ::EnableWindow(::GetDlgItem(window(), controlId), enable ? TRUE : FALSE);
}

void Win32DialogView::ShowWindow(int showCommand) { ::ShowWindow(window(), showCommand); }

std::string Win32DialogView::ReadItemText(int controlId) {
  char text[kItemTextLimit] = {};
  const UINT n = ::GetDlgItemTextA(window(), controlId, text, kItemTextLimit);
  return std::string(text, n < static_cast<UINT>(kItemTextLimit) ? n : kItemTextLimit - 1);
}

bool Win32DialogView::IsDlgButtonChecked(int controlId) {
  return ::IsDlgButtonChecked(window(), controlId) == BST_CHECKED;
}

void Win32DialogView::ShowMessage(const std::string& text) { ::MessageBoxA(window(), text.c_str(), "", MB_OK); }

std::optional<std::uint32_t> Win32DialogView::PickColor(std::uint32_t initial) {
  CHOOSECOLORA chooser{};
  chooser.lStructSize = kChooseColorSize;
  chooser.hwndOwner = window();
  chooser.rgbResult = initial;
  chooser.lpCustColors = customColors_.data();
  chooser.Flags = kChooseColorFlags;
  if (::ChooseColorA(&chooser) == FALSE) return std::nullopt;
  return chooser.rgbResult;
}

void Win32DialogView::InvalidateSwatch() {
  ::InvalidateRect(::GetDlgItem(window(), IDC_COLOR_SWATCH), nullptr, FALSE);
}

void Win32DialogView::ShowHelp() { help_.ShowHelp(window()); }

void Win32DialogView::DestroyWindow() { ::DestroyWindow(window()); }

void Win32DialogView::PostQuitMessage() { ::PostQuitMessage(0); }

}  // namespace quellin::win32
