#pragma once
#include <windows.h>
#include <shellapi.h>

#include <array>

#include "shell/tray_shell.h"
#include "shell/win32/dialog_window.h"

namespace quellin::win32 {

// The eighteen pictures of the tray and the settings window, loaded once from the
// program's resources (shared icons: the module releases them).
class IconSet {
 public:
  explicit IconSet(HINSTANCE module);
  // The handle for a resource id of the set; null for 0 and for ids outside the set.
  HICON Get(int iconId) const;

 private:
  struct Entry {
    int id;
    HICON icon;
  };
  std::array<Entry, 18> icons_{};
};

// Shell_NotifyIconA, or a stand-in of the same shape in tests.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);

// The program's one notification-area icon, on behalf of the settings window.
class Win32TrayShell final : public TrayShell {
 public:
  Win32TrayShell(const DialogWindow& owner, const IconSet& icons, NotifyIconFunction notify = &::Shell_NotifyIconA)
      : owner_(owner), icons_(icons), notify_(notify) {}
  bool SendIcon(TrayRequest request, int iconId) override;
  bool SendTip(const char* tip) override;

 private:
  NOTIFYICONDATAA Record(UINT flags) const;

  const DialogWindow& owner_;
  const IconSet& icons_;
  NotifyIconFunction notify_;
};

// The record's first published form: the size that every shell version accepts.
inline constexpr DWORD kNotifyIconDataSize = NOTIFYICONDATAA_V1_SIZE;
inline constexpr int kTipCapacity = 64;

}  // namespace quellin::win32
