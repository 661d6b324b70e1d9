#include "shell/tray_icon.h"

#include <algorithm>
#include <array>

namespace quellin {

void TrayIcon::SetTrayIcon(int iconId, bool force) {
  if (iconId == shown_ && !force) return;
  if (iconId != 0) {
    const TrayRequest request = shown_ == 0 ? TrayRequest::Add : TrayRequest::Modify;
    if (shell_.SendIcon(request, iconId)) shown_ = iconId;
  } else if (shell_.SendIcon(TrayRequest::Delete, 0)) {
    shown_ = 0;
  }
}

void TrayIcon::SetTrayTip(const std::string& text) {
  if (shown_ == 0 || text == lastTip_) return;
  std::array<char, kTrayTipLength + 1> tip{};
  const std::size_t length = std::min(text.size(), kTrayTipLength);
  std::copy_n(text.begin(), length, tip.begin());
  // An embedded zero ends the shell's copy early, as lstrcpynA's would.
  shell_.SendTip(tip.data());
  lastTip_ = text;
}

TrayClickAction TrayIcon::OnTrayNotify(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case kMouseLeftDown: {
      const int command = firstShow_ ? kShowNormal : kShowRestore;
      firstShow_ = false;
      return {TrayClick::ShowWindow, command};
    }
    case kMouseRightDown:
      return {TrayClick::RequestExtension, 0};
    default:
      return {};
  }
}

void TrayIcon::OnPowerBroadcast(std::uint32_t event) {
  if (event == kPowerResumeSuspend) SetTrayIcon(shown_, true);
}

void TrayIcon::OnTaskbarCreated() {
  const int picture = shown_;
  shown_ = 0;
  lastTip_.clear();
  if (picture != 0) SetTrayIcon(picture, true);
}

}  // namespace quellin
