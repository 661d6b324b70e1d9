// Tapline.dll as a program links it, under Wine: the exports, the shared section they
// work on, keyboard events counted by the real hook, and the section as another process
// sees it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/win32/tapline_input_source.h"
#include "hook/tapline.h"
#include "tests/hook/section_view.h"

namespace {

const tapline::SharedHookData& Shared() {
  const tapline::SharedHookData* shared = tapline_test::LoadedSharedSection();
  EXPECT_NE(nullptr, shared);
  static const tapline::SharedHookData none{};
  return shared != nullptr ? *shared : none;
}

// Runs the probe beside this test and returns what it printed.
std::string RunProbe(const std::string& arguments) {
  char path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string probe(path, length);
  probe.erase(probe.find_last_of('\\') + 1);
  probe += "tapline_probe.exe";
  std::string commandLine = "\"" + probe + "\" " + arguments;

  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "no pipe";
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION child{};
  const BOOL started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &child);
  ::CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[256];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) output.append(buffer, got);
    ::WaitForSingleObject(child.hProcess, 30000);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
  } else {
    output = "did not start";
  }
  ::CloseHandle(readEnd);
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return output;
}

std::string FieldsLine(const tapline::SharedHookData& shared) {
  return "HookHandle=" + std::to_string(reinterpret_cast<UINT_PTR>(shared.HookHandle)) +
         " ModuleInstance=" + std::to_string(reinterpret_cast<UINT_PTR>(shared.ModuleInstance)) +
         " InstallCount=" + std::to_string(shared.InstallCount) + " KeyCount=" + std::to_string(shared.KeyCount);
}

// A window of this process with the keyboard focus, and keys typed into it through the
// platform's input queue: the hook sees them when the messages are taken from the queue.
class TypingWindow {
 public:
  TypingWindow()
      : window_(::CreateWindowExA(0, "EDIT", "Tapline test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 100,
                                  nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr)) {
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    Pump(300);
  }
  ~TypingWindow() { ::DestroyWindow(window_); }
  TypingWindow(const TypingWindow&) = delete;
  TypingWindow& operator=(const TypingWindow&) = delete;

  void PressAndRelease(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    Pump(200);
  }

  static void Pump(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < milliseconds) {
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
      ::Sleep(5);
    }
  }

 private:
  HWND window_;
};

// The section's words by their offsets, whatever the structure says.
struct RawFields {
  UINT_PTR hook;
  UINT_PTR module;
  LONG installs;
  DWORD keys;
};

RawFields ReadRaw() {
  RawFields raw{};
  const auto* bytes = reinterpret_cast<const BYTE*>(&Shared());
  std::memcpy(&raw.hook, bytes, sizeof(raw.hook));
  std::memcpy(&raw.module, bytes + sizeof(UINT_PTR), sizeof(raw.module));
  std::memcpy(&raw.installs, bytes + 2 * sizeof(UINT_PTR), sizeof(raw.installs));
  std::memcpy(&raw.keys, bytes + 2 * sizeof(UINT_PTR) + 4, sizeof(raw.keys));
  return raw;
}

TEST(TaplineDll, SectionHoldsHandleModuleInstallsAndCountInThatOrder) {
  RawFields raw = ReadRaw();
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(::GetModuleHandleA("Tapline.dll")), raw.module);
  EXPECT_EQ(0u, raw.hook);
  EXPECT_EQ(0, raw.installs);
  EXPECT_EQ(GetKeyboardCount(), raw.keys);

  ASSERT_EQ(TRUE, InstallHooks());
  raw = ReadRaw();
  EXPECT_NE(0u, raw.hook);
  EXPECT_EQ(1, raw.installs);
  EXPECT_NE(FALSE, RemoveHooks());
}

TEST(TaplineDll, TwoInstallsHoldOneHookUntilTheSecondRemove) {
  const tapline::SharedHookData& shared = Shared();
  EXPECT_EQ(TRUE, RemoveHooks());
  EXPECT_EQ(nullptr, shared.HookHandle);
  EXPECT_EQ(0, shared.InstallCount);

  ASSERT_EQ(TRUE, InstallHooks());
  HHOOK hook = shared.HookHandle;
  EXPECT_NE(nullptr, hook);
  EXPECT_EQ(TRUE, InstallHooks());
  EXPECT_EQ(hook, shared.HookHandle);
  EXPECT_EQ(2, shared.InstallCount);

  EXPECT_EQ(TRUE, RemoveHooks());
  EXPECT_EQ(hook, shared.HookHandle);
  EXPECT_EQ(1, shared.InstallCount);

  EXPECT_NE(FALSE, RemoveHooks());
  EXPECT_EQ(nullptr, shared.HookHandle);
  EXPECT_EQ(0, shared.InstallCount);
}

TEST(TaplineDll, KeysCountTwoEachAndAnotherProcessReadsTheSameSection) {
  const tapline::SharedHookData& shared = Shared();
  ASSERT_EQ(TRUE, InstallHooks());
  {
    TypingWindow window;
    const DWORD before = GetKeyboardCount();
    window.PressAndRelease('Q');
    window.PressAndRelease('W');
    EXPECT_EQ(before + 4, GetKeyboardCount());
    EXPECT_EQ(FieldsLine(shared), RunProbe("fields"));
  }
  EXPECT_NE(FALSE, RemoveHooks());

  // Without the hook nothing is counted.
  TypingWindow window;
  const DWORD after = GetKeyboardCount();
  window.PressAndRelease('E');
  EXPECT_EQ(after, GetKeyboardCount());
}

TEST(TaplineDll, HookLeftBehindByAProgramThatVanishedIsReplacedByARealOne) {
  const tapline::SharedHookData& shared = Shared();
  const std::string vanished = RunProbe("vanish");
  ASSERT_EQ(vanished, FieldsLine(shared));
  HHOOK stale = shared.HookHandle;
  ASSERT_NE(nullptr, stale);
  EXPECT_EQ(1, shared.InstallCount);

  ASSERT_EQ(TRUE, InstallHooks());
  EXPECT_NE(stale, shared.HookHandle);
  EXPECT_EQ(1, shared.InstallCount);
  {
    TypingWindow window;
    const DWORD before = GetKeyboardCount();
    window.PressAndRelease('R');
    EXPECT_LE(before + 2, GetKeyboardCount());
  }
  // The platform's own answer: only a hook that was really installed can be removed.
  EXPECT_NE(FALSE, RemoveHooks());
  EXPECT_EQ(nullptr, shared.HookHandle);
  EXPECT_EQ(0, shared.InstallCount);

  // Windows ends a hook with the thread that installed it; Wine 8 keeps it running (it
  // counted 2 more here), so take it away for the tests that come after.
  ::UnhookWindowsHookEx(stale);
}

TEST(TaplineDll, MousePositionIsTheCursorsAndAlwaysReportsSuccess) {
  ASSERT_TRUE(::SetCursorPos(123, 45));
  POINT point{-1, -1};
  EXPECT_EQ(TRUE, GetMousePos(&point));
  EXPECT_EQ(123, point.x);
  EXPECT_EQ(45, point.y);
  EXPECT_EQ(TRUE, GetMousePos(nullptr));

  quellin::win32::TaplineInputSource input;
  std::int32_t x = 0;
  std::int32_t y = 0;
  input.GetMousePos(x, y);
  EXPECT_EQ(123, x);
  EXPECT_EQ(45, y);
  EXPECT_EQ(GetKeyboardCount(), input.GetKeyboardCount());
}

}  // namespace
