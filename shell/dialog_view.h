#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quellin {

// Show commands of ShowWindow.
inline constexpr int kShowHide = 0;     // SW_HIDE
inline constexpr int kShowNormal = 1;   // SW_SHOWNORMAL
inline constexpr int kShowRestore = 9;  // SW_RESTORE

// The settings window as the program's logic sees it: each call is one platform
// operation on the dialog or one of its controls (ids in resources/resource_ids.h).
// Names that <windows.h> defines as macros (MessageBox, ChooseColor, GetDlgItemText)
// are avoided so that this header works in any include order.
class DialogView {
 public:
  virtual ~DialogView() = default;

  // Initialisation
  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetBigIcon(int iconId) = 0;
  virtual void CheckRadioButton(int first, int last, int checked) = 0;
  virtual void CheckDlgButton(int controlId, bool checked) = 0;
  virtual void SetDlgItemInt(int controlId, std::int32_t value) = 0;
  virtual void SetUpDownRange(int controlId, int lower, int upper) = 0;
  // Makes the topmost tooltip control that AddControlTip fills.
  virtual void CreateTooltips() = 0;
  virtual void AddControlTip(int controlId, int stringId) = 0;
  // Starts the one-second timer and returns its id.
  virtual unsigned StartTimer() = 0;
  virtual void KillTimer(unsigned timerId) = 0;

  // Running
  virtual void SetStatusImage(int iconId) = 0;
  virtual void EnableControl(int controlId, bool enable) = 0;
  virtual void ShowWindow(int showCommand) = 0;
  // The control's text as GetDlgItemTextA with a limit of 31 gives it (at most 30 characters).
  virtual std::string ReadItemText(int controlId) = 0;
  virtual bool IsDlgButtonChecked(int controlId) = 0;
  // A message box with an empty caption and one OK button; returns when dismissed.
  virtual void ShowMessage(const std::string& text) = 0;
  // Runs the colour chooser; the picked colour, or nothing when cancelled.
  virtual std::optional<std::uint32_t> PickColor(std::uint32_t initial) = 0;
  virtual void InvalidateSwatch() = 0;
  virtual void ShowHelp() = 0;

  // Exit
  virtual void DestroyWindow() = 0;
  virtual void PostQuitMessage() = 0;
};

}  // namespace quellin
