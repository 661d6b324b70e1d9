#pragma once
// A dialog window from a template in memory, for tests that need a real window.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/win32/dialog_window.h"

namespace quellin::testing {

// A hidden pop-up without controls.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 100, 50};
  WORD menu = 0;
  WORD windowClass = 0;
  WCHAR title[1] = {0};
};

// Writes down every message its map sees; `map` decides what is handled.
class TestDialog final : public win32::DialogWindow {
 public:
  using Map = std::function<bool(UINT message, WPARAM, LPARAM, LRESULT& result)>;
  explicit TestDialog(Map map = {}) : map_(std::move(map)) {}

  HWND Create() { return CreateIndirect(::GetModuleHandleA(nullptr), &template_.header); }

  std::vector<UINT> seen;
  int finalMessages = 0;

 protected:
  bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    seen.push_back(message);
    return map_ ? map_(message, wParam, lParam, result) : false;
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }

 private:
  Map map_;
  EmptyDialogTemplate template_;
};

}  // namespace quellin::testing
