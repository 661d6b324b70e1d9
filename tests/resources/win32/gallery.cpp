// Shows the settings window from its template, filled as at start-up, and the eighteen
// icons at every size they carry on a chequered ground, for screenshots. Ends when a file
// "gallery.stop" appears in the working directory, or after a minute.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "resources/resource_ids.h"

namespace {

constexpr int kIconIds[] = {IDI_LIGHT_ALL, IDI_LIGHT_GREEN, IDI_LIGHT_YELLOW, IDI_LIGHT_RED, IDI_GREEN,
                            IDI_GREEN_5,   IDI_GREEN_4,     IDI_GREEN_3,      IDI_GREEN_2,   IDI_GREEN_1,
                            IDI_YELLOW_1,  IDI_EMPTY,       IDI_RED,          IDI_RED_5,     IDI_RED_4,
                            IDI_RED_3,     IDI_RED_2,       IDI_RED_1};
constexpr int kSizes[] = {48, 32, 24, 20, 16};
constexpr int kGap = 4;
constexpr int kColumns = 6;
constexpr int kCellWidth = 48 + 32 + 24 + 20 + 16 + 5 * kGap + 8;
constexpr int kCellHeight = 48 + 28;
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 100;
constexpr int kMaxPolls = 600;
constexpr COLORREF kSwatchColour = RGB(255, 0, 0);
const char kSheetClass[] = "QuellinIconSheet";
const char kSheetTitle[] = "Quellin icons";

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

class Brush {
 public:
  explicit Brush(COLORREF colour) : brush_(CreateSolidBrush(colour)) {}
  ~Brush() { DeleteObject(brush_); }
  Brush(const Brush&) = delete;
  Brush& operator=(const Brush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

void DrawChequer(HDC dc, int left, int top, int size) {
  Brush light(RGB(255, 255, 255));
  Brush dark(RGB(200, 200, 255));
  constexpr int kSquare = 4;
  for (int y = 0; y < size; y += kSquare) {
    for (int x = 0; x < size; x += kSquare) {
      RECT r{left + x, top + y, left + x + kSquare, top + y + kSquare};
      FillRect(dc, &r, ((x + y) / kSquare) % 2 ? dark.get() : light.get());
    }
  }
}

void PaintSheet(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < static_cast<int>(std::size(kIconIds)); ++i) {
    const int left = (i % kColumns) * kCellWidth + 8;
    const int top = (i / kColumns) * kCellHeight + 8;
    int x = left;
    for (int size : kSizes) {
      // LoadIconA gives the 32-pixel image that the program uses; the others as the shell asks.
      HICON icon = size == 32 ? LoadIconA(Module(), MAKEINTRESOURCEA(kIconIds[i]))
                              : static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(kIconIds[i]),
                                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      DrawChequer(dc, x, top, size);
      DrawIconEx(dc, x, top, icon, size, size, 0, nullptr, DI_NORMAL);
      if (size != 32 && icon) DestroyIcon(icon);
      x += size + kGap;
    }
    char label[16];
    std::snprintf(label, sizeof(label), "%d", kIconIds[i]);
    TextOutA(dc, left, top + kSizes[0] + 4, label, lstrlenA(label));
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PaintSheet(window);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessageA(window, IDC_STATUS_IMAGE, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(Module(), MAKEINTRESOURCEA(IDI_LIGHT_GREEN))), 0);
    SetDlgItemInt(window, IDC_WORK_PERIOD, 30, TRUE);
    SetDlgItemInt(window, IDC_REST_PERIOD, 5, TRUE);
    CheckRadioButton(window, IDC_BEEP_RADIO, IDC_SOUNDS_RADIO, IDC_BEEP_RADIO);
    CheckDlgButton(window, IDC_COLOR_CHECK, BST_CHECKED);
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item->CtlID != IDC_COLOR_SWATCH) return FALSE;
    RECT r = item->rcItem;
    DrawFrameControl(item->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    Brush swatch(kSwatchColour);
    FillRect(item->hDC, &r, swatch.get());
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int main() {
  InitCommonControls();
  HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, DialogProc, 0);
  if (!dialog) return 1;
  SetWindowPos(dialog, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(dialog, SW_SHOWNORMAL);

  WNDCLASSA sheet_class{};
  sheet_class.lpfnWndProc = SheetProc;
  sheet_class.hInstance = Module();
  sheet_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  sheet_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  sheet_class.lpszClassName = kSheetClass;
  RegisterClassA(&sheet_class);
  RECT frame{0, 0, kColumns * kCellWidth + 8, 3 * kCellHeight + 8};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND sheet = CreateWindowExA(0, kSheetClass, kSheetTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 440,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, Module(),
                               nullptr);
  if (!sheet) return 1;
  SetTimer(sheet, kPollTimer, kPollMs, nullptr);

  int polls = 0;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == sheet) {
      if (GetFileAttributesA("gallery.stop") != INVALID_FILE_ATTRIBUTES || ++polls > kMaxPolls) break;
    }
    if (IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyWindow(sheet);
  DestroyWindow(dialog);
  return 0;
}
