#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "alerts/speaker.h"
#include "alerts/system_colors.h"

namespace quellin::testing {

// Writes down every sound as "sound NAME" or "beep HZ MS".
struct RecordingSpeaker final : Speaker {
  std::vector<std::string> played;
  bool soundsStart = true;

  bool PlayNamedSound(const std::string& name) override {
    played.push_back("sound " + name);
    return soundsStart;
  }
  void Beep(int hz, int ms) override { played.push_back("beep " + std::to_string(hz) + " " + std::to_string(ms)); }
};

// A colour scheme whose elements read back what was last set; every set is logged.
struct FakeSystemColors final : SystemColors {
  std::map<int, std::uint32_t> current;
  std::vector<std::vector<std::uint32_t>> sets;  // the colours of each SetSysColors call
  std::vector<int> lastElements;

  std::uint32_t GetSysColor(int element) override { return current[element]; }
  void SetSysColors(int count, const int* elements, const std::uint32_t* colors) override {
    lastElements.assign(elements, elements + count);
    sets.emplace_back(colors, colors + count);
    for (int i = 0; i < count; ++i) current[elements[i]] = colors[i];
  }
};

}  // namespace quellin::testing
