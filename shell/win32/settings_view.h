#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <cstddef>

#include "shell/dialog_view.h"
#include "shell/win32/dialog_window.h"
#include "shell/win32/handles.h"
#include "shell/win32/help.h"
#include "shell/win32/tray.h"

namespace quellin::win32 {

// The settings window's controls: each call is one platform operation on the dialog.
class Win32DialogView final : public DialogView {
 public:
  Win32DialogView(const DialogWindow& dialog, HINSTANCE module, const IconSet& icons, Help& help)
      : dialog_(dialog), module_(module), icons_(icons), help_(help) {}

  void SetCaption(const std::string& text) override;
  void SetBigIcon(int iconId) override;
  void CheckRadioButton(int first, int last, int checked) override;
  void CheckDlgButton(int controlId, bool checked) override;
  void SetDlgItemInt(int controlId, std::int32_t value) override;
  void SetUpDownRange(int controlId, int lower, int upper) override;
  void CreateTooltips() override;
  void AddControlTip(int controlId, int stringId) override;
  unsigned StartTimer() override;
  void KillTimer(unsigned timerId) override;
  void SetStatusImage(int iconId) override;
  void EnableControl(int controlId, bool enable) override;
  void ShowWindow(int showCommand) override;
  std::string ReadItemText(int controlId) override;
  bool IsDlgButtonChecked(int controlId) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::uint32_t> PickColor(std::uint32_t initial) override;
  void InvalidateSwatch() override;
  void ShowHelp() override;
  void DestroyWindow() override;
  void PostQuitMessage() override;

 private:
  HWND window() const { return dialog_.hwnd(); }

  const DialogWindow& dialog_;
  HINSTANCE module_;
  const IconSet& icons_;
  Help& help_;
  Window tips_;
  // The colour chooser's custom colours, kept between uses for the rest of the run.
  std::array<COLORREF, 16> customColors_{};
};

// The records in the sizes the program has always passed: the tool record up to its
// lParam member, which every version of the tooltip control accepts.
inline constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);
inline constexpr DWORD kChooseColorSize = sizeof(CHOOSECOLORA);

}  // namespace quellin::win32
