#include "tools/sim/simulator.h"

#include <algorithm>
#include <cstdint>
#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "shell/tray_icon.h"

namespace quellin::sim {
namespace {

constexpr std::int64_t kMaxU32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kMinI32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxI32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinSeconds = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMaxSeconds = std::numeric_limits<std::int64_t>::max();
// Each active tick counts a key going down and coming up.
constexpr std::uint32_t kKeysPerActiveTick = 2;

bool Fail(ScenarioError& error, std::string message) {
  error.message = std::move(message);
  return false;
}

bool WantWords(const ScenarioLine& line, std::size_t count, const char* usage, ScenarioError& error) {
  if (line.words.size() == count) return true;
  return Fail(error, std::string("usage: ") + usage);
}

bool ReadNumber(const std::string& word, std::int64_t min, std::int64_t max, std::int64_t& value,
                ScenarioError& error) {
  const std::optional<std::int64_t> number = ParseNumber(word, min, max);
  if (!number) return Fail(error, "not a number in range: '" + word + "'");
  value = *number;
  return true;
}

bool ReadFlag(const std::string& word, bool& value, ScenarioError& error) {
  if (word != "0" && word != "1") return Fail(error, "expected 0 or 1, not '" + word + "'");
  value = word == "1";
  return true;
}

bool ReadChoice(const std::string& word, const char* yes, const char* no, bool& value, ScenarioError& error) {
  if (word != yes && word != no) return Fail(error, std::string("expected ") + yes + " or " + no + ", not '" + word + "'");
  value = word == yes;
  return true;
}

bool ReadHexBytes(const std::string& word, std::vector<std::uint8_t>& bytes, ScenarioError& error) {
  bytes.clear();
  if (word == "-") return true;
  if (word.empty() || word.size() % 2 != 0) return Fail(error, "bytes are pairs of hexadecimal digits, or -");
  for (std::size_t i = 0; i < word.size(); i += 2) {
    const std::optional<std::int64_t> byte = ParseNumber("0x" + word.substr(i, 2), 0, 0xff);
    if (!byte) return Fail(error, "not a hexadecimal byte: '" + word.substr(i, 2) + "'");
    bytes.push_back(static_cast<std::uint8_t>(*byte));
  }
  return true;
}

// When a command may come: before the program runs (or after it has ended), while it
// runs, or at any time.
enum class When { Stopped, Running, Anytime };

struct CommandEntry {
  std::string_view name;
  When when;
  bool (Simulator::*run)(const ScenarioLine&, ScenarioError&);
};

}  // namespace

struct Simulator::Commands {
  static constexpr std::array<CommandEntry, 15> kTable = {{
      {"store", When::Stopped, &Simulator::Store},
      {"nt", When::Stopped, &Simulator::Nt},
      {"start", When::Stopped, &Simulator::Start},
      {"colors", When::Anytime, &Simulator::Colors},
      {"keys", When::Anytime, &Simulator::Keys},
      {"mouse", When::Anytime, &Simulator::Mouse},
      {"shell", When::Anytime, &Simulator::Shell},
      {"sounds", When::Anytime, &Simulator::Sounds},
      {"tick", When::Running, &Simulator::Tick},
      {"lclick", When::Running, &Simulator::Click},
      {"rclick", When::Running, &Simulator::Click},
      {"resume", When::Running, &Simulator::Resume},
      {"pick", When::Running, &Simulator::Pick},
      {"ok", When::Running, &Simulator::Ok},
      {"exit", When::Running, &Simulator::Exit},
  }};
};

Simulator::Simulator(std::ostream& out)
    : fakes_(out),
      platform_{fakes_.store, fakes_.input, fakes_.speaker, fakes_.colors, fakes_.tray, fakes_.dialog, texts_} {}

Simulator::~Simulator() = default;

bool Simulator::Run(const ScenarioLine& line, ScenarioError& error) {
  const std::string& command = line.words.front();
  const auto& table = Commands::kTable;
  const auto entry = std::find_if(table.begin(), table.end(), [&](const CommandEntry& c) { return c.name == command; });
  if (entry == table.end()) return Fail(error, "unknown command '" + command + "'");
  const bool running = app_ != nullptr;
  if (entry->when == When::Running && !running) {
    return Fail(error, "'" + command + "' needs a running program (start)");
  }
  if (entry->when == When::Stopped && running) {
    return Fail(error, "'" + command + "' only while the program is not running (before start or after exit)");
  }
  if (!(this->*entry->run)(line, error)) return false;
  DeliverColorNotifications();
  return true;
}

bool Simulator::Nt(const ScenarioLine& line, ScenarioError& error) {
  return WantWords(line, 2, "nt 0|1", error) && ReadFlag(line.words[1], ntFamily_, error);
}

bool Simulator::Keys(const ScenarioLine& line, ScenarioError& error) {
  std::int64_t keys = 0;
  if (!WantWords(line, 2, "keys N", error) || !ReadNumber(line.words[1], 0, kMaxU32, keys, error)) return false;
  fakes_.input.keys = static_cast<std::uint32_t>(keys);
  return true;
}

bool Simulator::Mouse(const ScenarioLine& line, ScenarioError& error) {
  std::int64_t x = 0;
  std::int64_t y = 0;
  if (!WantWords(line, 3, "mouse X Y", error) || !ReadNumber(line.words[1], kMinI32, kMaxI32, x, error) ||
      !ReadNumber(line.words[2], kMinI32, kMaxI32, y, error)) {
    return false;
  }
  fakes_.input.mouseX = static_cast<std::int32_t>(x);
  fakes_.input.mouseY = static_cast<std::int32_t>(y);
  return true;
}

bool Simulator::Shell(const ScenarioLine& line, ScenarioError& error) {
  return WantWords(line, 2, "shell accept|refuse", error) &&
         ReadChoice(line.words[1], "accept", "refuse", fakes_.tray.accepts, error);
}

bool Simulator::Sounds(const ScenarioLine& line, ScenarioError& error) {
  return WantWords(line, 2, "sounds ok|fail", error) &&
         ReadChoice(line.words[1], "ok", "fail", fakes_.speaker.soundsStart, error);
}

bool Simulator::Click(const ScenarioLine& line, ScenarioError& error) {
  const bool left = line.words[0] == "lclick";
  if (!WantWords(line, 1, left ? "lclick" : "rclick", error)) return false;
  app_->OnTrayNotify(left ? kMouseLeftDown : kMouseRightDown);
  return true;
}

bool Simulator::Resume(const ScenarioLine& line, ScenarioError& error) {
  if (!WantWords(line, 1, "resume", error)) return false;
  app_->OnPowerBroadcast(kPowerResumeSuspend);
  return true;
}

bool Simulator::Pick(const ScenarioLine& line, ScenarioError& error) {
  if (!WantWords(line, 2, "pick C|cancel", error)) return false;
  fakes_.dialog.pickAnswer.reset();
  if (line.words[1] != "cancel") {
    std::int64_t color = 0;
    if (!ReadNumber(line.words[1], 0, kMaxU32, color, error)) return false;
    fakes_.dialog.pickAnswer = static_cast<std::uint32_t>(color);
  }
  app_->OnColorButton();
  return true;
}

bool Simulator::Exit(const ScenarioLine& line, ScenarioError& error) {
  if (!WantWords(line, 1, "exit", error)) return false;
  app_->OnCancel();
  // The window is gone: notifications owed to it reach nobody.
  fakes_.colors.notificationsOwed = 0;
  app_.reset();
  return true;
}

bool Simulator::Store(const ScenarioLine& line, ScenarioError& error) {
  MemoryConfigStore& memory = fakes_.store.memory;
  if (line.words.size() == 2 && line.words[1] == "unavailable") {
    memory.unavailable = true;
    return true;
  }
  if (line.words.size() != 4 || (line.words[2] != "dword" && line.words[2] != "bytes")) {
    return Fail(error, "usage: store NAME dword N | store NAME bytes HEX | store unavailable");
  }
  const std::string& name = line.words[1];
  if (line.words[2] == "dword") {
    std::int64_t value = 0;
    if (!ReadNumber(line.words[3], 0, kMaxU32, value, error)) return false;
    memory.SetDword(name, static_cast<std::uint32_t>(value));
    return true;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadHexBytes(line.words[3], bytes, error)) return false;
  memory.values[name] = bytes;
  return true;
}

bool Simulator::Colors(const ScenarioLine& line, ScenarioError& error) {
  if (line.words.size() != 1) {
    std::array<std::uint32_t, 3> colors{};
    if (line.words.size() != 4) return Fail(error, "usage: colors [C1 C2 C3]");
    for (std::size_t i = 0; i < colors.size(); ++i) {
      std::int64_t color = 0;
      if (!ReadNumber(line.words[i + 1], 0, kMaxU32, color, error)) return false;
      colors[i] = static_cast<std::uint32_t>(color);
    }
    fakes_.colors.SetRestElements(colors);
  }
  if (app_ != nullptr) ++fakes_.colors.notificationsOwed;
  return true;
}

bool Simulator::Ok(const ScenarioLine& line, ScenarioError& error) {
  if (!WantWords(line, 6, "ok WORK REST beep|sounds DISABLE COLORS", error)) return false;
  const std::string& sound = line.words[3];
  if (sound != "beep" && sound != "sounds") return Fail(error, "expected beep or sounds, not '" + sound + "'");
  bool disable = false;
  bool colors = false;
  if (!ReadFlag(line.words[4], disable, error) || !ReadFlag(line.words[5], colors, error)) return false;
  fakes_.dialog.Fill(line.words[1], line.words[2], sound == "sounds", disable, colors);
  app_->OnOK();
  return true;
}

bool Simulator::Start(const ScenarioLine& line, ScenarioError& error) {
  std::int64_t now = 0;
  if (!WantWords(line, 2, "start T", error) || !ReadNumber(line.words[1], kMinSeconds, kMaxSeconds, now, error)) {
    return false;
  }
  fakes_.log.SetNow(now);
  app_ = std::make_unique<QuellinApp>(platform_, now, ntFamily_);
  const Settings& s = app_->settings();
  fakes_.log.Line() << "settings " << s.WorkPeriod << ' ' << s.RestPeriod << ' ' << (s.UseSounds ? 1 : 0) << ' '
                    << (s.DisableChanges ? 1 : 0) << ' ' << (s.UseColors ? 1 : 0) << ' ' << Hex(s.RestColor)
                    << '\n';
  app_->OnInitDialog();
  return true;
}

bool Simulator::Tick(const ScenarioLine& line, ScenarioError& error) {
  std::int64_t now = 0;
  if (line.words.size() < 2 || line.words.size() > 3 || (line.words.size() == 3 && line.words[2] != "active")) {
    return Fail(error, "usage: tick T [active]");
  }
  if (!ReadNumber(line.words[1], kMinSeconds, kMaxSeconds, now, error)) return false;
  if (line.words.size() == 3) fakes_.input.keys += kKeysPerActiveTick;
  fakes_.log.SetNow(now);
  app_->OnTimer(now);
  return true;
}

void Simulator::DeliverColorNotifications() {
  while (app_ != nullptr && fakes_.colors.notificationsOwed > 0) {
    --fakes_.colors.notificationsOwed;
    app_->OnSysColorChange();
  }
}

}  // namespace quellin::sim
