#include "shell/win32/tray.h"

#include <iterator>

#include "resources/resource_ids.h"

namespace quellin::win32 {
namespace {

// In the order the program has always loaded them.
constexpr int kIconIds[] = {IDI_LIGHT_ALL, IDI_YELLOW_1, IDI_GREEN,       IDI_GREEN_1,       IDI_GREEN_2,
                            IDI_GREEN_3,   IDI_GREEN_4,  IDI_GREEN_5,     IDI_RED,           IDI_RED_1,
                            IDI_RED_2,     IDI_RED_3,    IDI_RED_4,       IDI_RED_5,         IDI_EMPTY,
                            IDI_LIGHT_RED, IDI_LIGHT_YELLOW, IDI_LIGHT_GREEN};
static_assert(std::size(kIconIds) == 18);

#ifndef _WIN64
static_assert(kNotifyIconDataSize == 88);
#endif
constexpr UINT kPictureFlags = NIF_MESSAGE | NIF_ICON;
static_assert(kPictureFlags == 3);

}  // namespace

IconSet::IconSet(HINSTANCE module) {
  for (std::size_t i = 0; i < icons_.size(); ++i) {
    icons_[i] = {kIconIds[i], ::LoadIconA(module, MAKEINTRESOURCEA(kIconIds[i]))};
  }
}

HICON IconSet::Get(int iconId) const {
  for (const Entry& e : icons_) {
    if (e.id == iconId) return e.icon;
  }
  return nullptr;
}

NOTIFYICONDATAA Win32TrayShell::Record(UINT flags) const {
  NOTIFYICONDATAA data{};
  data.cbSize = kNotifyIconDataSize;
  data.hWnd = owner_.hwnd();
  data.uID = QUELLIN_TRAY_ICON_ID;
  data.uFlags = flags;
  return data;
}

bool Win32TrayShell::SendIcon(TrayRequest request, int iconId) {
  NOTIFYICONDATAA data = Record(kPictureFlags);
  data.uCallbackMessage = QUELLIN_TRAY_CALLBACK;
  data.hIcon = icons_.Get(iconId);
  return notify_(static_cast<DWORD>(request), &data) != FALSE;
}

bool Win32TrayShell::SendTip(const char* tip) {
  NOTIFYICONDATAA data = Record(NIF_TIP);
  ::lstrcpynA(data.szTip, tip != nullptr ? tip : "", kTipCapacity);
  return notify_(NIM_MODIFY, &data) != FALSE;
}

}  // namespace quellin::win32
