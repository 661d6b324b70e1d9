// A small Win32 helper for the end-to-end tests: it looks at Quellin from outside, as
// another program on the same desktop would, and prints what it sees as key=value lines.
// Child controls are not X windows, so their texts, check marks and enabled states can
// only be read from inside Wine; system colours must be read by a fresh process, since
// a running one keeps the colours it started with.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kTitle = "Verrow Quellin!";
constexpr UINT kTextTimeoutMs = 2000;

std::string WindowText(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  // WM_GETTEXT, not GetWindowTextA: only the message reaches a tooltip's current tip
  // and the text of a control in another process.
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied)) {
    return {};
  }
  text[sizeof text - 1] = '\0';
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Line breaks inside a text would break the key=value format: each becomes "\n".
std::string OneLine(const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      line += "\\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  return line;
}

struct TopLevel {
  HWND window;
  DWORD process;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  reinterpret_cast<std::vector<TopLevel>*>(list)->push_back({window, process});
  return TRUE;
}

std::vector<TopLevel> TopLevelWindows() {
  std::vector<TopLevel> found;
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<HWND> SettingsWindows() {
  std::vector<HWND> found;
  for (const TopLevel& top : TopLevelWindows()) {
    if (ClassName(top.window) == kDialogClass && WindowText(top.window) == kTitle) {
      found.push_back(top.window);
    }
  }
  return found;
}

HWND SettingsWindow() { return FindWindowA(kDialogClass, kTitle); }

unsigned long Handle(const void* handle) {
  return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle));
}

void PrintRect(const char* name, HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("%s=%ld,%ld,%ld,%ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

int ShowWindowState() {
  std::vector<HWND> all = SettingsWindows();
  std::printf("count=%u\n", static_cast<unsigned>(all.size()));
  HWND window = SettingsWindow();
  if (!window) {
    std::printf("hwnd=0\n");
    return 1;
  }
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  std::printf("hwnd=0x%lx\nvisible=%d\niconic=%d\nforeground=%d\npid=%lu\n", Handle(window),
              IsWindowVisible(window) ? 1 : 0, IsIconic(window) ? 1 : 0,
              GetForegroundWindow() == window ? 1 : 0, static_cast<unsigned long>(process));
  PrintRect("rect", window);
  return 0;
}

int ShowControls() {
  HWND window = SettingsWindow();
  if (!window) {
    std::printf("hwnd=0\n");
    return 1;
  }
  for (int id : {IDC_WORK_PERIOD, IDC_REST_PERIOD, IDC_TITLE_TEXT}) {
    std::printf("text.%d=%s\n", id, OneLine(WindowText(GetDlgItem(window, id))).c_str());
  }
  for (int id : {IDC_BEEP_RADIO, IDC_SOUNDS_RADIO, IDC_COLOR_CHECK, IDC_DISABLE_CHANGES}) {
    std::printf("checked.%d=%u\n", id, IsDlgButtonChecked(window, id));
  }
  for (int id : {IDC_OK, IDC_WORK_PERIOD, IDC_WORK_SPIN, IDC_REST_PERIOD, IDC_REST_SPIN,
                 IDC_BEEP_RADIO, IDC_SOUNDS_RADIO, IDC_COLOR_CHECK, IDC_COLOR_SWATCH,
                 IDC_DISABLE_CHANGES, IDC_HELP_BUTTON}) {
    std::printf("enabled.%d=%d\n", id, IsWindowEnabled(GetDlgItem(window, id)) ? 1 : 0);
  }
  HWND status = GetDlgItem(window, IDC_STATUS_IMAGE);
  std::printf("status.icon=0x%lx\n",
              static_cast<unsigned long>(SendMessageA(status, STM_GETICON, 0, 0)));
  PrintRect("status.rect", status);
  return 0;
}

// Message boxes are dialogs too; any visible one that is not the settings window counts.
int ShowMessageBoxes() {
  HWND settings = SettingsWindow();
  int count = 0;
  for (const TopLevel& top : TopLevelWindows()) {
    if (top.window == settings || !IsWindowVisible(top.window) ||
        ClassName(top.window) != kDialogClass) {
      continue;
    }
    ++count;
    std::printf("box.hwnd=0x%lx\nbox.title=%s\n", Handle(top.window),
                OneLine(WindowText(top.window)).c_str());
    for (HWND child = GetWindow(top.window, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
      std::string text = WindowText(child);
      if (ClassName(child) == "Static" && !text.empty()) {
        std::printf("box.text=%s\n", OneLine(text).c_str());
      }
    }
  }
  std::printf("boxes=%d\n", count);
  return 0;
}

// What a person does with the OK button of a message box.
int DismissMessageBoxes() {
  HWND settings = SettingsWindow();
  for (const TopLevel& top : TopLevelWindows()) {
    if (top.window != settings && IsWindowVisible(top.window) &&
        ClassName(top.window) == kDialogClass) {
      PostMessageA(top.window, WM_COMMAND, IDOK, 0);
    }
  }
  return 0;
}

int ShowTooltips() {
  for (const TopLevel& top : TopLevelWindows()) {
    if (ClassName(top.window) == TOOLTIPS_CLASSA && IsWindowVisible(top.window)) {
      std::printf("tip=%s\n", OneLine(WindowText(top.window)).c_str());
    }
  }
  return 0;
}

// Every visible top-level window with its class, title and process: what a help viewer
// opened by the program looks like from outside.
int ShowWindows() {
  for (const TopLevel& top : TopLevelWindows()) {
    if (IsWindowVisible(top.window)) {
      std::printf("window=%lu|%s|%s\n", static_cast<unsigned long>(top.process),
                  ClassName(top.window).c_str(), OneLine(WindowText(top.window)).c_str());
    }
  }
  return 0;
}

int ShowSystemColors() {
  for (int element : {COLOR_ACTIVEBORDER, COLOR_ACTIVECAPTION, COLOR_INACTIVECAPTION}) {
    std::printf("color.%d=0x%06lx\n", element, static_cast<unsigned long>(GetSysColor(element)));
  }
  return 0;
}

int SetControlText(int id, const char* text) {
  HWND window = SettingsWindow();
  if (!window) return 1;
  return SendDlgItemMessageA(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? 0 : 1;
}

int SetCheck(int id, int checked) {
  HWND window = SettingsWindow();
  if (!window) return 1;
  SendDlgItemMessageA(window, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return 0;
}

// A click on a button, as the button itself reports it to its dialog.
int Click(int id) {
  HWND window = SettingsWindow();
  if (!window) return 1;
  return PostMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0) ? 0 : 1;
}

int Command(int id) {
  HWND window = SettingsWindow();
  if (!window) return 1;
  return PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0) ? 0 : 1;
}

// Stands in for the program that the shell starts for a document: it records its
// command line in a file, one line per start.
int Record(const char* file, int argc, char** argv) {
  FILE* out = std::fopen(file, "a");
  if (!out) return 1;
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s%s", i ? " " : "", argv[i]);
  std::fputc('\n', out);
  std::fclose(out);
  return 0;
}

// Keeps a file open without delete sharing, as a process that still has the file
// loaded would, until the given number of seconds has passed.
int Hold(const char* file, int seconds) {
  HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 1;
  std::printf("held=1\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(handle);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: probe window | controls | boxes | dismiss | tooltips | windows | colors |\n"
               "       settext ID TEXT | check ID 0|1 | click ID | command ID |\n"
               "       record FILE ARGS... | hold FILE SECONDS\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string verb = argv[1];
  if (verb == "window") return ShowWindowState();
  if (verb == "controls") return ShowControls();
  if (verb == "boxes") return ShowMessageBoxes();
  if (verb == "dismiss") return DismissMessageBoxes();
  if (verb == "tooltips") return ShowTooltips();
  if (verb == "windows") return ShowWindows();
  if (verb == "colors") return ShowSystemColors();
  if (verb == "settext" && argc == 4) return SetControlText(std::atoi(argv[2]), argv[3]);
  if (verb == "check" && argc == 4) return SetCheck(std::atoi(argv[2]), std::atoi(argv[3]));
  if (verb == "click" && argc == 3) return Click(std::atoi(argv[2]));
  if (verb == "command" && argc == 3) return Command(std::atoi(argv[2]));
  if (verb == "record" && argc >= 3) return Record(argv[2], argc - 3, argv + 3);
  if (verb == "hold" && argc == 4) return Hold(argv[2], std::atoi(argv[3]));
  return Usage();
}
