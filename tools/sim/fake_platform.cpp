#include "tools/sim/fake_platform.h"

#include <cstdio>

#include "alerts/rest_colors.h"
#include "resources/resource_ids.h"

namespace quellin::sim {
namespace {

// GetDlgItemTextA with room for 31 characters keeps 30 and the terminating zero.
constexpr std::size_t kItemTextLength = 30;

const char* RequestName(TrayRequest request) {
  switch (request) {
    case TrayRequest::Add:
      return "add";
    case TrayRequest::Modify:
      return "modify";
    case TrayRequest::Delete:
      return "delete";
  }
  return "?";
}

}  // namespace

std::ostream& EffectLog::Line() { return out_ << now_ << ' '; }

std::string Hex(std::uint32_t value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
  return text;
}

long FakeStore::WriteDword(const char* name, std::uint32_t value) {
  log_.Line() << "save " << name << ' ' << value << '\n';
  return memory.WriteDword(name, value);
}

bool FakeSpeaker::PlayNamedSound(const std::string& name) {
  log_.Line() << "sound " << name << '\n';
  return soundsStart;
}

void FakeSpeaker::Beep(int hz, int ms) { log_.Line() << "beep " << hz << ' ' << ms << '\n'; }

FakeColors::FakeColors(EffectLog& log) : log_(log) { SetRestElements({0x00c0c0c0, 0x00800000, 0x00808080}); }

std::uint32_t FakeColors::GetSysColor(int element) {
  const auto it = colors_.find(element);
  return it == colors_.end() ? 0 : it->second;
}

void FakeColors::SetSysColors(int count, const int* elements, const std::uint32_t* colors) {
  std::ostream& line = log_.Line() << "syscolors";
  for (int i = 0; i < count; ++i) {
    colors_[elements[i]] = colors[i];
    line << ' ' << Hex(colors[i]);
  }
  line << '\n';
  ++notificationsOwed;
}

void FakeColors::SetRestElements(const std::array<std::uint32_t, 3>& colors) {
  for (std::size_t i = 0; i < colors.size(); ++i) colors_[kRestColorElements[i]] = colors[i];
}

bool FakeTray::SendIcon(TrayRequest request, int iconId) {
  std::ostream& line = log_.Line() << "tray " << RequestName(request);
  if (request != TrayRequest::Delete) line << ' ' << iconId;
  line << '\n';
  return accepts;
}

bool FakeTray::SendTip(const char* tip) {
  log_.Line() << "tray tip \"" << tip << "\"\n";
  return accepts;
}

void FakeDialog::CheckRadioButton(int first, int last, int checked) {
  for (int id = first; id <= last; ++id) checks_[id] = id == checked;
}

unsigned FakeDialog::StartTimer() { return QUELLIN_TIMER_ID; }

void FakeDialog::SetStatusImage(int iconId) { log_.Line() << "status " << iconId << '\n'; }

void FakeDialog::EnableControl(int controlId, bool enable) {
  // The five locked controls change together; the first of them stands for the group.
  if (controlId == IDC_REST_PERIOD) log_.Line() << "enable " << (enable ? 1 : 0) << '\n';
}

void FakeDialog::ShowWindow(int showCommand) { log_.Line() << "show " << showCommand << '\n'; }

std::string FakeDialog::ReadItemText(int controlId) {
  const std::string& text = texts_[controlId];
  return text.substr(0, kItemTextLength);
}

bool FakeDialog::IsDlgButtonChecked(int controlId) { return checks_[controlId]; }

void FakeDialog::ShowMessage(const std::string& text) { log_.Line() << "msgbox \"" << text << "\"\n"; }

std::optional<std::uint32_t> FakeDialog::PickColor(std::uint32_t) { return pickAnswer; }

void FakeDialog::PostQuitMessage() { log_.Line() << "quit\n"; }

void FakeDialog::Fill(const std::string& work, const std::string& rest, bool sounds, bool disable, bool colors) {
  texts_[IDC_WORK_PERIOD] = work;
  texts_[IDC_REST_PERIOD] = rest;
  CheckRadioButton(IDC_BEEP_RADIO, IDC_SOUNDS_RADIO, sounds ? IDC_SOUNDS_RADIO : IDC_BEEP_RADIO);
  checks_[IDC_DISABLE_CHANGES] = disable;
  checks_[IDC_COLOR_CHECK] = colors;
}

}  // namespace quellin::sim
