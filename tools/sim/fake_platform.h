#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "alerts/speaker.h"
#include "alerts/system_colors.h"
#include "core/memory_config_store.h"
#include "core/phase.h"
#include "core/sampler.h"
#include "core/settings.h"
#include "shell/dialog_view.h"
#include "shell/tray_shell.h"

namespace quellin::sim {

// Where the fakes write what the program does: one line per effect, each with the second
// of the latest start or tick.
class EffectLog {
 public:
  explicit EffectLog(std::ostream& out) : out_(out) {}
  void SetNow(Seconds now) { now_ = now; }
  // Begins a line with the second; the caller writes the rest and ends it.
  std::ostream& Line();

 private:
  std::ostream& out_;
  Seconds now_ = 0;
};

// 0x and eight lower-case hexadecimal digits.
std::string Hex(std::uint32_t value);

// The settings key in memory; every write the program makes is written down.
class FakeStore final : public ConfigStore {
 public:
  explicit FakeStore(EffectLog& log) : log_(log) {}
  long OpenKey() override { return memory.OpenKey(); }
  long ReadValue(const char* name, std::uint8_t (&data)[4]) override { return memory.ReadValue(name, data); }
  long WriteDword(const char* name, std::uint32_t value) override;
  long CloseKey() override { return memory.CloseKey(); }

  MemoryConfigStore memory;

 private:
  EffectLog& log_;
};

class FakeInput final : public InputSource {
 public:
  std::uint32_t GetKeyboardCount() override { return keys; }
  void GetMousePos(std::int32_t& x, std::int32_t& y) override {
    x = mouseX;
    y = mouseY;
  }

  std::uint32_t keys = 0;
  std::int32_t mouseX = 0;
  std::int32_t mouseY = 0;
};

class FakeSpeaker final : public Speaker {
 public:
  explicit FakeSpeaker(EffectLog& log) : log_(log) {}
  bool PlayNamedSound(const std::string& name) override;
  void Beep(int hz, int ms) override;

  bool soundsStart = true;

 private:
  EffectLog& log_;
};

// The colour scheme: what the program sets is what it reads afterwards, and each call
// owes the program one change notification.
class FakeColors final : public SystemColors {
 public:
  explicit FakeColors(EffectLog& log);
  std::uint32_t GetSysColor(int element) override;
  void SetSysColors(int count, const int* elements, const std::uint32_t* colors) override;
  // Another program's change of the three elements, in the order of the element table.
  void SetRestElements(const std::array<std::uint32_t, 3>& colors);

  int notificationsOwed = 0;

 private:
  EffectLog& log_;
  std::map<int, std::uint32_t> colors_;
};

class FakeTray final : public TrayShell {
 public:
  explicit FakeTray(EffectLog& log) : log_(log) {}
  bool SendIcon(TrayRequest request, int iconId) override;
  bool SendTip(const char* tip) override;

  bool accepts = true;

 private:
  EffectLog& log_;
};

// The settings window: the controls hold what the program put in them until an `ok`
// command types over them; the chooser answers what the scenario says.
class FakeDialog final : public DialogView {
 public:
  explicit FakeDialog(EffectLog& log) : log_(log) {}

  void SetCaption(const std::string&) override {}
  void SetBigIcon(int) override {}
  void CheckRadioButton(int first, int last, int checked) override;
  void CheckDlgButton(int controlId, bool checked) override { checks_[controlId] = checked; }
  void SetDlgItemInt(int controlId, std::int32_t value) override { texts_[controlId] = std::to_string(value); }
  void SetUpDownRange(int, int, int) override {}
  void CreateTooltips() override {}
  void AddControlTip(int, int) override {}
  unsigned StartTimer() override;
  void KillTimer(unsigned) override {}

  void SetStatusImage(int iconId) override;
  void EnableControl(int controlId, bool enable) override;
  void ShowWindow(int showCommand) override;
  std::string ReadItemText(int controlId) override;
  bool IsDlgButtonChecked(int controlId) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::uint32_t> PickColor(std::uint32_t initial) override;
  void InvalidateSwatch() override {}
  void ShowHelp() override {}

  void DestroyWindow() override {}
  void PostQuitMessage() override;

  // What the user typed and checked before pressing OK.
  void Fill(const std::string& work, const std::string& rest, bool sounds, bool disable, bool colors);
  std::optional<std::uint32_t> pickAnswer;

 private:
  EffectLog& log_;
  std::map<int, std::string> texts_;
  std::map<int, bool> checks_;
};

// Everything the program reaches outside itself, faked and recording.
struct FakePlatform {
  explicit FakePlatform(std::ostream& out)
      : log(out), store(log), speaker(log), colors(log), tray(log), dialog(log) {}

  EffectLog log;
  FakeStore store;
  FakeInput input;
  FakeSpeaker speaker;
  FakeColors colors;
  FakeTray tray;
  FakeDialog dialog;
};

}  // namespace quellin::sim
