#pragma once
// One owner per Win32 handle: each is released by its owner's destructor, on every path.
#include <windows.h>

#include <utility>

namespace quellin::win32 {

// A handle with a release function and an "empty" value; movable, never copied.
template <typename Handle, auto Release, Handle Empty = Handle{}>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, Empty)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, Empty);
    }
    return *this;
  }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Empty; }
  void reset(Handle h = Empty) {
    if (h_ != Empty) Release(h_);
    h_ = h;
  }
  // Hands ownership to the caller (for handles the platform takes over).
  Handle release() { return std::exchange(h_, Empty); }

 private:
  Handle h_ = Empty;
};

namespace detail {
inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void FreeLibrary(HMODULE module) { ::FreeLibrary(module); }
inline void DeleteBrush(HBRUSH brush) { ::DeleteObject(brush); }
inline void DestroyWindow(HWND window) { ::DestroyWindow(window); }
inline void DestroyIcon(HICON icon) { ::DestroyIcon(icon); }
inline void LocalFree(HLOCAL memory) { ::LocalFree(memory); }
}  // namespace detail

using RegistryKey = Owned<HKEY, detail::CloseKey>;
using Library = Owned<HMODULE, detail::FreeLibrary>;
using Brush = Owned<HBRUSH, detail::DeleteBrush>;
using Window = Owned<HWND, detail::DestroyWindow>;
// Only for icons the program creates itself; icons loaded from resources with LoadIconA
// are shared and stay with the module.
using OwnedIcon = Owned<HICON, detail::DestroyIcon>;
using LocalMemory = Owned<HLOCAL, detail::LocalFree>;

// The component runtime for the thread, from construction to destruction.
class ComInit {
 public:
  ComInit() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComInit() {
    // CoUninitialize balances a successful CoInitialize only.
    if (ok_) ::CoUninitialize();
  }
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;

 private:
  bool ok_;
};

}  // namespace quellin::win32
