#pragma once
// The platform of QuellinApp, faked: every call the program makes is written to one log in
// the order it happens, as short lines ("tray add 130", "enable 1003 0"), so that a test
// can list the sequence it expects and a failure prints what came instead.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alerts/speaker.h"
#include "alerts/system_colors.h"
#include "core/memory_config_store.h"
#include "core/sampler.h"
#include "core/texts.h"
#include "shell/dialog_view.h"
#include "shell/quellin_app.h"
#include "shell/tray_shell.h"

namespace quellin::testing {

using Log = std::vector<std::string>;

class RecordingStore final : public ConfigStore {
 public:
  explicit RecordingStore(Log& log) : log_(log) {}
  long OpenKey() override {
    log_.push_back("store open");
    return memory.OpenKey();
  }
  long ReadValue(const char* name, std::uint8_t (&data)[4]) override {
    log_.push_back(std::string("store read ") + name);
    return memory.ReadValue(name, data);
  }
  long WriteDword(const char* name, std::uint32_t value) override {
    log_.push_back(std::string("store write ") + name + " " + std::to_string(value));
    return memory.WriteDword(name, value);
  }
  long CloseKey() override {
    log_.push_back("store close");
    return memory.CloseKey();
  }
  MemoryConfigStore memory;

 private:
  Log& log_;
};

class ScriptedInput final : public InputSource {
 public:
  std::uint32_t GetKeyboardCount() override { return keys; }
  void GetMousePos(std::int32_t& x, std::int32_t& y) override {
    x = 0;
    y = 0;
  }
  std::uint32_t keys = 0;
};

class RecordingSpeaker final : public Speaker {
 public:
  explicit RecordingSpeaker(Log& log) : log_(log) {}
  bool PlayNamedSound(const std::string& name) override {
    log_.push_back("sound " + name);
    return started;
  }
  void Beep(int hz, int ms) override { log_.push_back("beep " + std::to_string(hz) + " " + std::to_string(ms)); }
  bool started = true;

 private:
  Log& log_;
};

class RecordingColors final : public SystemColors {
 public:
  explicit RecordingColors(Log& log) : log_(log) {}
  std::uint32_t GetSysColor(int element) override {
    log_.push_back("getcolor " + std::to_string(element));
    return current[element];
  }
  void SetSysColors(int count, const int* elements, const std::uint32_t* colors) override {
    std::string line = "setcolors";
    for (int i = 0; i < count; ++i) {
      current[elements[i]] = colors[i];
      line += " " + std::to_string(elements[i]) + "=" + std::to_string(colors[i]);
    }
    log_.push_back(line);
  }
  std::map<int, std::uint32_t> current;

 private:
  Log& log_;
};

class RecordingTray final : public TrayShell {
 public:
  explicit RecordingTray(Log& log) : log_(log) {}
  bool SendIcon(TrayRequest request, int iconId) override {
    static const char* const kNames[] = {"add", "modify", "delete"};
    log_.push_back(std::string("tray ") + kNames[static_cast<int>(request)] + " " + std::to_string(iconId));
    return accepts;
  }
  bool SendTip(const char* tip) override {
    log_.push_back(std::string("tip ") + tip);
    return accepts;
  }
  bool accepts = true;

 private:
  Log& log_;
};

class RecordingDialog final : public DialogView {
 public:
  explicit RecordingDialog(Log& log) : log_(log) {}
  void SetCaption(const std::string& caption) override { Add("caption " + caption); }
  void SetBigIcon(int iconId) override { Add("bigicon " + std::to_string(iconId)); }
  void CheckRadioButton(int first, int last, int checked) override {
    for (int id = first; id <= last; ++id) checked_[id] = id == checked;
    Add("radio " + std::to_string(first) + " " + std::to_string(last) + " " + std::to_string(checked));
  }
  void CheckDlgButton(int controlId, bool checked) override {
    checked_[controlId] = checked;
    Add("check " + std::to_string(controlId) + " " + (checked ? "1" : "0"));
  }
  void SetDlgItemInt(int controlId, std::int32_t value) override {
    text[controlId] = std::to_string(value);
    Add("int " + std::to_string(controlId) + " " + std::to_string(value));
  }
  void SetUpDownRange(int controlId, int lower, int upper) override {
    Add("range " + std::to_string(controlId) + " " + std::to_string(lower) + " " + std::to_string(upper));
  }
  void CreateTooltips() override { Add("tooltips"); }
  void AddControlTip(int controlId, int stringId) override {
    Add("controltip " + std::to_string(controlId) + " " + std::to_string(stringId));
  }
  unsigned StartTimer() override {
    Add("settimer");
    return timerId;
  }
  void KillTimer(unsigned id) override { Add("killtimer " + std::to_string(id)); }
  void SetStatusImage(int iconId) override { Add("status " + std::to_string(iconId)); }
  void EnableControl(int controlId, bool enable) override {
    Add("enable " + std::to_string(controlId) + " " + (enable ? "1" : "0"));
  }
  void ShowWindow(int showCommand) override { Add("show " + std::to_string(showCommand)); }
  std::string ReadItemText(int controlId) override { return text[controlId]; }
  bool IsDlgButtonChecked(int controlId) override { return checked_[controlId]; }
  void ShowMessage(const std::string& message) override { Add("msgbox " + message); }
  std::optional<std::uint32_t> PickColor(std::uint32_t initial) override {
    Add("choosecolor " + std::to_string(initial));
    return picked;
  }
  void InvalidateSwatch() override { Add("invalidate swatch"); }
  void ShowHelp() override { Add("help"); }
  void DestroyWindow() override { Add("destroy"); }
  void PostQuitMessage() override { Add("quit"); }

  // What the user clicks: the check boxes and radio buttons as they stand now.
  void Click(int controlId, bool checked) { checked_[controlId] = checked; }

  std::map<int, std::string> text;  // what each edit control holds
  std::optional<std::uint32_t> picked;
  unsigned timerId = 7;

 private:
  void Add(std::string line) { log_.push_back(std::move(line)); }
  Log& log_;
  std::map<int, bool> checked_;
};

// All fakes with one log, and the platform record that QuellinApp takes.
struct RecordingPlatform {
  Log log;
  RecordingStore store{log};
  ScriptedInput input;
  RecordingSpeaker speaker{log};
  RecordingColors colors{log};
  RecordingTray tray{log};
  RecordingDialog dialog{log};
  BuiltinTexts texts;
  Platform platform{store, input, speaker, colors, tray, dialog, texts};

  // The log since the last call, and a fresh start for the next step.
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }
};

}  // namespace quellin::testing
