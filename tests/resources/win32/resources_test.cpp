// The resources as the built program carries them, loaded through the real Win32 calls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/product.h"
#include "resources/resource_ids.h"
#include "quellin_version.h"
#include "tools/icongen/art.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

class Gdi {
 public:
  explicit Gdi(HGDIOBJ object) : object_(object) {}
  ~Gdi() {
    if (object_) DeleteObject(object_);
  }
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;

 private:
  HGDIOBJ object_;
};

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The pixels of a bitmap as 32-bit 0x00RRGGBB values, top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap, int size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<std::size_t>(size * size));
  ScreenDc dc;
  EXPECT_EQ(GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(size), pixels.data(), &info, DIB_RGB_COLORS), size);
  for (DWORD& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

struct IconPixels {
  int size = 0;
  std::vector<DWORD> colour;
  std::vector<DWORD> mask;  // 0xFFFFFF where transparent
  // 0x00RRGGBB, or -1 where transparent.
  long at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>(y * size + x);
    return mask[i] ? -1 : static_cast<long>(colour[i]);
  }
};

IconPixels Read(HICON icon) {
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(icon, &info));
  Gdi colour(info.hbmColor);
  Gdi mask(info.hbmMask);
  BITMAP bm{};
  GetObjectA(info.hbmColor, sizeof(bm), &bm);
  IconPixels pixels;
  pixels.size = bm.bmWidth;
  pixels.colour = Pixels(info.hbmColor, bm.bmWidth);
  pixels.mask = Pixels(info.hbmMask, bm.bmWidth);
  return pixels;
}

constexpr long kClear = -1;

long Packed(std::optional<icongen::Rgb> c) {
  return c ? static_cast<long>((c->r << 16) | (c->g << 8) | c->b) : kClear;
}

constexpr icongen::Lamp kAllLamps[] = {icongen::Lamp::Red, icongen::Lamp::Yellow, icongen::Lamp::Green};
constexpr icongen::Lamp kRedLamp[] = {icongen::Lamp::Red};
constexpr icongen::Lamp kYellowLamp[] = {icongen::Lamp::Yellow};
constexpr icongen::Lamp kGreenLamp[] = {icongen::Lamp::Green};
constexpr icongen::Picture Light(std::span<const icongen::Lamp> lit) {
  return {icongen::Shape::TrafficLight, {}, 0, lit};
}
constexpr icongen::Picture Square(icongen::Rgb fill, int digit) { return {icongen::Shape::Square, fill, digit, {}}; }
namespace colour = icongen::colours;

// Each id with the picture that the icon table gives it; the program must carry exactly
// that drawing at every size.
struct IconCase {
  int id;
  icongen::Picture picture;
};
const IconCase kIcons[] = {
    {IDI_LIGHT_ALL, Light(kAllLamps)},
    {IDI_GREEN, Square(colour::kGreen, 0)},
    {IDI_RED, Square(colour::kRed, 0)},
    {IDI_EMPTY, {icongen::Shape::Empty, {}, 0, {}}},
    {IDI_RED_1, Square(colour::kRed, 1)},
    {IDI_RED_2, Square(colour::kRed, 2)},
    {IDI_RED_3, Square(colour::kRed, 3)},
    {IDI_RED_4, Square(colour::kRed, 4)},
    {IDI_RED_5, Square(colour::kRed, 5)},
    {IDI_GREEN_1, Square(colour::kGreen, 1)},
    {IDI_GREEN_2, Square(colour::kGreen, 2)},
    {IDI_GREEN_3, Square(colour::kGreen, 3)},
    {IDI_GREEN_4, Square(colour::kGreen, 4)},
    {IDI_GREEN_5, Square(colour::kGreen, 5)},
    {IDI_LIGHT_RED, Light(kRedLamp)},
    {IDI_LIGHT_YELLOW, Light(kYellowLamp)},
    {IDI_LIGHT_GREEN, Light(kGreenLamp)},
    {IDI_YELLOW_1, Square(colour::kYellow, 1)},
};

void ExpectPicture(const IconPixels& got, const icongen::Picture& picture, int size) {
  ASSERT_EQ(got.size, size);
  const icongen::Image want = icongen::Draw(picture, size);
  int wrong = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (got.at(x, y) == Packed(want.at(x, y))) continue;
      if (++wrong <= 3) ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << got.at(x, y);
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(Icons, EachIdLoadsAsThirtyTwoPixelsShowingItsPicture) {
  for (const IconCase& c : kIcons) {
    SCOPED_TRACE(testing::Message() << "icon " << c.id);
    HICON icon = LoadIconA(Module(), MAKEINTRESOURCEA(c.id));
    ASSERT_NE(icon, nullptr);
    ExpectPicture(Read(icon), c.picture, 32);
  }
}

TEST(Icons, CarryImagesDrawnForTheSmallAndLargeSizes) {
  for (const IconCase& c : kIcons) {
    for (int size : {16, 20, 24, 48}) {
      SCOPED_TRACE(testing::Message() << "icon " << c.id << " at " << size);
      HANDLE image = LoadImageA(Module(), MAKEINTRESOURCEA(c.id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
      ASSERT_NE(image, nullptr);
      ExpectPicture(Read(static_cast<HICON>(image)), c.picture, size);
      DestroyIcon(static_cast<HICON>(image));
    }
  }
}

TEST(Logo, IsASeventyFiveSquareBitmap) {
  HBITMAP logo = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_LOGO));
  ASSERT_NE(logo, nullptr);
  Gdi owner(logo);
  BITMAP bm{};
  ASSERT_NE(GetObjectA(logo, sizeof(bm), &bm), 0);
  EXPECT_EQ(bm.bmWidth, 75);
  EXPECT_EQ(bm.bmHeight, 75);
}

TEST(Accelerators, F1IsTheHelpCommand) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(table, nullptr);
  std::array<ACCEL, 4> entries{};
  ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 1);
  ASSERT_EQ(CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size())), 1);
  EXPECT_EQ(entries[0].key, VK_F1);
  EXPECT_EQ(entries[0].cmd, IDC_HELP_BUTTON);
  EXPECT_EQ(entries[0].cmd, 57670);
  EXPECT_EQ(entries[0].fVirt & ~FNOINVERT, FVIRTKEY) << "no Shift, Ctrl or Alt";
  DestroyAcceleratorTable(table);
}

// The dialog as the program creates it: hidden, from the template, with the common controls loaded.
class SettingsDialog : public testing::Test {
 protected:
  static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

  void SetUp() override {
    InitCommonControls();
    window_ = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, Proc, 0);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
  }

  static std::string Text(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
  }
  static std::string Class(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    return buffer;
  }
  // The dialog manager converts position and size each on its own, so the right and bottom
  // edges are the converted position plus the converted size.
  RECT DialogUnits(int x, int y, int w, int h) const {
    RECT at{x, y, w, h};
    MapDialogRect(window_, &at);
    return {at.left, at.top, at.left + at.right, at.top + at.bottom};
  }
  RECT InDialog(HWND child) const {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND window_ = nullptr;
};

TEST_F(SettingsDialog, WindowIsHiddenWithCaptionStylesAndSize) {
  EXPECT_FALSE(IsWindowVisible(window_));
  EXPECT_EQ(Text(window_), "Verrow Quellin!");
  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  for (LONG bit : {static_cast<LONG>(WS_POPUP), static_cast<LONG>(WS_CAPTION), static_cast<LONG>(WS_SYSMENU),
                   static_cast<LONG>(DS_MODALFRAME)}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE | WS_CHILD), 0);
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
  RECT client{};
  GetClientRect(window_, &client);
  const RECT want = DialogUnits(0, 0, 257, 202);
  EXPECT_EQ(client.right, want.right);
  EXPECT_EQ(client.bottom, want.bottom);
}

// The template itself, for what the window no longer shows once created: the dialog-only
// styles, the font and the size in dialog units.
TEST(SettingsTemplate, HeaderHoldsStylesSizeCaptionAndFont) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDD_SETTINGS), MAKEINTRESOURCEA(5));  // RT_DIALOG
  ASSERT_NE(found, nullptr);
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
  ASSERT_NE(words, nullptr);
  const DWORD size = SizeofResource(Module(), found);
  ASSERT_GT(size, 64u);
  ASSERT_EQ(words[0], 1) << "extended template";
  ASSERT_EQ(words[1], 0xFFFF);
  auto dword = [&](int at) { return static_cast<DWORD>(words[at] | (words[at + 1] << 16)); };
  EXPECT_EQ(dword(4), static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(dword(6), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER |
                                         DS_SETFONT | DS_NOFAILCREATE));
  EXPECT_EQ(words[8], 22) << "controls";
  EXPECT_EQ(words[11], 257);
  EXPECT_EQ(words[12], 202);
  std::size_t at = 13;
  auto skip_text = [&] {
    if (words[at] == 0xFFFF) {
      at += 2;
      return std::wstring();
    }
    std::wstring text;
    while (at * 2 < size && words[at]) text += static_cast<wchar_t>(words[at++]);
    ++at;
    return text;
  };
  EXPECT_EQ(skip_text(), L"") << "no menu";
  EXPECT_EQ(skip_text(), L"") << "the standard dialog class";
  EXPECT_EQ(skip_text(), L"Verrow Quellin!");
  EXPECT_EQ(words[at], 8) << "point size";
  at += 3;  // point size, weight, italic and character set
  EXPECT_EQ(skip_text(), L"MS Sans Serif");
}

struct ControlCase {
  int id;
  const char* window_class;
  const char* text;
  LONG type;      // the style's low bits that tell the kind of control, compared exactly
  LONG type_mask;
  bool tab_stop;
  bool group;
  int x, y, w, h;
  bool placed;    // up-down controls place themselves beside their buddy
};

constexpr LONG kButtonType = 0x0F;
constexpr LONG kStaticType = SS_TYPEMASK;
constexpr LONG kNoType = 0;

const ControlCase kControls[] = {
    {IDC_OK, "Button", "&OK", BS_DEFPUSHBUTTON, kButtonType, true, false, 104, 181, 50, 14, true},
    {IDC_WORK_PERIOD, "Edit", "", ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, true, false, 91, 93, 27, 12, false},
    {IDC_WORK_SPIN, "msctls_updown32", "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0xFF, false, false, 117, 92, 11, 14, false},
    {IDC_REST_PERIOD, "Edit", "", ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, true, false, 91, 114, 27, 12, false},
    {IDC_REST_SPIN, "msctls_updown32", "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 0xFF, false, false, 117, 113, 11, 14, false},
    {IDC_BEEP_RADIO, "Button", "Default &Beep", BS_AUTORADIOBUTTON, kButtonType, true, true, 155, 95, 82, 9, true},
    {IDC_SOUNDS_RADIO, "Button", "Control Panel &Sounds", BS_AUTORADIOBUTTON, kButtonType, true, false, 155, 108, 82, 9, true},
    {IDC_COLOR_CHECK, "Button", "&Caption Color", BS_AUTOCHECKBOX, kButtonType, true, false, 156, 121, 61, 8, true},
    {IDC_COLOR_SWATCH, "Button", "CB", BS_OWNERDRAW, kButtonType, true, false, 225, 120, 19, 11, true},
    {IDC_HELP_BUTTON, "Button", "&Help", BS_PUSHBUTTON, kButtonType, true, true, 200, 181, 50, 14, true},
    {IDC_STATIC, "Static", "Work Period (mins):", SS_LEFT, kStaticType, false, true, 20, 94, 62, 10, true},
    {IDC_STATIC, "Static", "Rest Period (mins):", SS_LEFT, kStaticType, false, true, 20, 115, 62, 10, true},
    {IDC_CONTACT_TEXT, "Static", QUELLIN_WEB_PAGE "\n" QUELLIN_SUPPORT, SS_CENTER, kStaticType, false, true, 44, 36, 144, 19, true},
    {IDC_STATUS_IMAGE, "Static", nullptr, SS_ICON, kStaticType, false, false, 15, 29, 20, 20, false},
    {IDC_STATIC, "Button", "Time Settings", BS_GROUPBOX, kButtonType, false, false, 7, 81, 132, 54, true},
    {IDC_STATIC, "Button", "Stop me using", BS_GROUPBOX, kButtonType, false, false, 145, 81, 105, 55, true},
    {IDC_TITLE_TEXT, "Static", "Verrow's Quellin! " QUELLIN_VERSION_TEXT "\n" QUELLIN_TAGLINE, SS_CENTER, kStaticType, false, true, 44, 16, 144, 18, true},
    {IDC_STATIC, "Button", "", BS_GROUPBOX, kButtonType, false, false, 7, 7, 243, 73, true},
    {IDC_DISABLE_CHANGES, "Button", "&Disable changes to settings during or near rest periods", BS_AUTOCHECKBOX, kButtonType, true, false, 20, 145, 221, 11, true},
    {IDC_STATIC, "Static", "Right-click the task bar icon to add 5 mins to the current work period.", SS_CENTER, kStaticType, false, true, 14, 166, 229, 11, true},
    {IDC_STATIC, "Button", "", BS_GROUPBOX, kButtonType, false, false, 7, 137, 243, 23, true},
    {IDC_STATIC, "Static", nullptr, SS_BITMAP, kStaticType, false, false, 189, 15, 55, 49, false},
};

TEST_F(SettingsDialog, ControlsInTemplateOrderWithIdsClassesTextsStylesAndPlaces) {
  HWND child = GetWindow(window_, GW_CHILD);
  for (const ControlCase& want : kControls) {
    SCOPED_TRACE(testing::Message() << "control " << (&want - kControls) << ", id " << want.id);
    ASSERT_NE(child, nullptr) << "fewer controls than the template lists";
    EXPECT_EQ(GetDlgCtrlID(child), want.id);
    EXPECT_STRCASEEQ(Class(child).c_str(), want.window_class);
    if (want.text) {
      EXPECT_EQ(Text(child), want.text);
    }
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    EXPECT_EQ(style & want.type_mask, want.type);
    EXPECT_EQ((style & WS_TABSTOP) != 0, want.tab_stop);
    EXPECT_EQ((style & WS_GROUP) != 0, want.group);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & WS_DISABLED);
    if (want.placed) {
      const RECT got = InDialog(child);
      const RECT place = DialogUnits(want.x, want.y, want.w, want.h);
      EXPECT_EQ(got.left, place.left);
      EXPECT_EQ(got.top, place.top);
      EXPECT_EQ(got.right, place.right);
      EXPECT_EQ(got.bottom, place.bottom);
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "more controls than the template lists";
}

TEST_F(SettingsDialog, PeriodFieldsAreRightAlignedAndSpinnersHaveTheirBuddies) {
  for (int id : {IDC_WORK_PERIOD, IDC_REST_PERIOD}) {
    HWND edit = GetDlgItem(window_, id);
    EXPECT_TRUE(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_RIGHT) << id;
    // The dialog manager may turn a bordered edit's WS_BORDER into a sunken client edge.
    const bool border = GetWindowLongA(edit, GWL_STYLE) & WS_BORDER;
    const bool edge = GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
    EXPECT_TRUE(border || edge) << id;
  }
  EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(window_, IDC_WORK_SPIN, UDM_GETBUDDY, 0, 0)),
            GetDlgItem(window_, IDC_WORK_PERIOD));
  EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(window_, IDC_REST_SPIN, UDM_GETBUDDY, 0, 0)),
            GetDlgItem(window_, IDC_REST_PERIOD));
}

TEST_F(SettingsDialog, TabOrderRunsFromOkThroughTheTemplate) {
  std::vector<int> order;
  HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  for (HWND item = first; item && order.size() < 20;) {
    order.push_back(GetDlgCtrlID(item));
    item = GetNextDlgTabItem(window_, item, FALSE);
    if (item == first) break;
  }
  const std::vector<int> expected{IDC_OK,          IDC_WORK_PERIOD, IDC_REST_PERIOD, IDC_BEEP_RADIO,
                                  IDC_SOUNDS_RADIO, IDC_COLOR_CHECK, IDC_COLOR_SWATCH, IDC_HELP_BUTTON,
                                  IDC_DISABLE_CHANGES};
  EXPECT_EQ(order, expected);
}

TEST_F(SettingsDialog, PicturesAreTheTrafficLightAndTheLogo) {
  EXPECT_NE(SendDlgItemMessageA(window_, IDC_STATUS_IMAGE, STM_GETICON, 0, 0), 0);
  HWND logo = GetWindow(window_, GW_CHILD);
  for (HWND next = logo; next; next = GetWindow(next, GW_HWNDNEXT)) logo = next;
  EXPECT_TRUE(GetWindowLongA(logo, GWL_STYLE) & SS_CENTERIMAGE);
  EXPECT_TRUE(GetWindowLongA(logo, GWL_STYLE) & SS_REALSIZEIMAGE);
  EXPECT_TRUE(GetWindowLongA(logo, GWL_EXSTYLE) & WS_EX_STATICEDGE) << "SS_SUNKEN";
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(logo, STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm{};
  GetObjectA(bitmap, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 75);
}

class VersionInfo : public testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof(path)), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data_.data()));
  }
  bool Query(const std::string& name, std::string* value) {
    char* text = nullptr;
    UINT length = 0;
    std::string key = "\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueA(data_.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) return false;
    *value = length > 0 && text ? std::string(text) : std::string();
    return true;
  }
  std::vector<char> data_;
};

TEST_F(VersionInfo, NamesTheProductItsVersionAndItsMaker) {
  const std::pair<const char*, const char*> entries[] = {
      {"ProductName", QUELLIN_PRODUCT_NAME}, {"ProductVersion", "3.2a"}, {"FileVersion", "3.2a"},
      {"CompanyName", QUELLIN_COMPANY},      {"OriginalFilename", "Quellin.exe"},
  };
  for (const auto& [name, want] : entries) {
    std::string value;
    ASSERT_TRUE(Query(name, &value)) << name;
    EXPECT_EQ(value, want) << name;
  }
  std::string description;
  ASSERT_TRUE(Query("FileDescription", &description));
  EXPECT_FALSE(description.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 3));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionInfo, CarriesTheEmptySelfRegistrationEntry) {
  std::string value = "unset";
  ASSERT_TRUE(Query("OLESelfRegister", &value));
  EXPECT_EQ(value, "");
  std::string missing;
  EXPECT_FALSE(Query("NoSuchEntry", &missing)) << "the query tells present from absent";
}

}  // namespace
