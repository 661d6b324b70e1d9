#pragma once
// CKeyHandle: owns at most one open key of the store, or borrows one (a root or a parent key)
// without owning it. A key is closed because its owner goes away, on every path.
#include <cstdint>

#include "alerts/regscript/registry_store.h"

namespace quellin::regscript {

class CKeyHandle {
 public:
  explicit CKeyHandle(RegistryStore& store) : store_(store) {}
  CKeyHandle(RegistryStore& store, KeyRef borrowed) : store_(store), key_(borrowed) {}
  ~CKeyHandle() { Close(); }
  CKeyHandle(const CKeyHandle&) = delete;
  CKeyHandle& operator=(const CKeyHandle&) = delete;

  KeyRef get() const { return key_; }
  bool empty() const { return key_ == kNoKey; }

  // Takes a key that has just been opened; the one held before is closed only now, so a
  // failed open never loses it. Answers the result of that close.
  std::int32_t Replace(KeyRef opened) {
    const std::int32_t closed = Close();
    key_ = opened;
    owned_ = true;
    return closed;
  }

  // Holds a key that someone else closes (a root or a parent key).
  std::int32_t Borrow(KeyRef key) {
    const std::int32_t closed = Close();
    key_ = key;
    return closed;
  }

  std::int32_t Close() {
    std::int32_t closed = 0;
    if (owned_ && key_ != kNoKey) closed = store_.CloseKey(key_);
    key_ = kNoKey;
    owned_ = false;
    return closed;
  }

 private:
  RegistryStore& store_;
  KeyRef key_ = kNoKey;
  bool owned_ = false;
};

}  // namespace quellin::regscript
