#pragma once
#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/settings.h"

namespace quellin {

// The settings key in memory, for tests and the simulator. Values keep their raw bytes, so
// a test can store data of any size; `unavailable` makes the key impossible to open.
class MemoryConfigStore final : public ConfigStore {
 public:
  static constexpr long kAccessDenied = 5;   // ERROR_ACCESS_DENIED
  static constexpr long kNotFound = 2;       // ERROR_FILE_NOT_FOUND
  static constexpr long kMoreData = 234;     // ERROR_MORE_DATA
  static constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

  struct Write {
    std::string name;
    std::uint32_t value;
  };

  long OpenKey() override {
    if (unavailable) return kAccessDenied;
    keyExists = true;
    open_ = true;
    return 0;
  }
  long ReadValue(const char* name, std::uint8_t (&data)[4]) override {
    if (!open_) return kInvalidHandle;
    reads.emplace_back(name);
    auto it = values.find(name);
    if (it == values.end()) return kNotFound;
    if (it->second.size() > sizeof data) return kMoreData;
    if (!it->second.empty()) std::memcpy(data, it->second.data(), it->second.size());
    return 0;
  }
  long WriteDword(const char* name, std::uint32_t value) override {
    if (!open_) return kInvalidHandle;
    if (failingWrites.count(name) != 0) return kAccessDenied;
    std::vector<std::uint8_t> bytes(4);
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    values[name] = bytes;
    writes.push_back({name, value});
    return 0;
  }
  long CloseKey() override {
    if (!open_) return kInvalidHandle;
    open_ = false;
    return closeResult;
  }

  void SetDword(const std::string& name, std::uint32_t value) {
    std::vector<std::uint8_t> bytes(4);
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    values[name] = bytes;
  }
  bool isOpen() const { return open_; }

  std::map<std::string, std::vector<std::uint8_t>> values;
  std::vector<Write> writes;  // every successful write, in order
  std::vector<std::string> reads;  // every read asked for while open, in order
  std::set<std::string> failingWrites;  // writes of these names are refused
  long closeResult = 0;  // what closing the key reports
  bool unavailable = false;
  bool keyExists = false;

 private:
  bool open_ = false;
};

}  // namespace quellin
