#include "alerts/regscript/win32/win32_code_page.h"

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quellin::regscript::win32 {

const char* Win32CodePage::NextChar(const char* p) const {
  if (*p == '\0') return p;
  const char* next = ::CharNextA(p);
  return next > p ? next : p + 1;
}

bool Win32CodePage::IsLeadByte(unsigned char byte) const { return ::IsDBCSLeadByte(byte) != FALSE; }

bool Win32CodePage::EqualNoCase(const char* a, const char* b) const { return ::lstrcmpiA(a, b) == 0; }

std::u16string Win32CodePage::ToUtf16(std::string_view ansi) const {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), units);
  return std::u16string(wide.begin(), wide.end());
}

std::string Win32CodePage::FromUtf16(std::u16string_view wide) const {
  if (wide.empty()) return {};
  const std::wstring text(wide.begin(), wide.end());
  const int length = static_cast<int>(text.size());
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return {};
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr);
  return ansi;
}

std::uint32_t Win32CodePage::ToUnsigned32(std::u16string_view text) const {
  std::wstring terminated(text.begin(), text.end());
  ULONG value = 0;
  ::VarUI4FromStr(terminated.data(), 0, 0, &value);
  return static_cast<std::uint32_t>(value);
}

}  // namespace quellin::regscript::win32
