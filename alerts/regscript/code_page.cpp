#include "alerts/regscript/code_page.h"

namespace quellin::regscript {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

class SingleByte final : public CodePage {
 public:
  const char* NextChar(const char* p) const override { return *p == '\0' ? p : p + 1; }
  bool IsLeadByte(unsigned char) const override { return false; }
  bool EqualNoCase(const char* a, const char* b) const override {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
      if (FoldAscii(*a) != FoldAscii(*b)) return false;
    }
    return *a == *b;
  }
  std::u16string ToUtf16(std::string_view ansi) const override {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return wide;
  }
  std::string FromUtf16(std::u16string_view wide) const override {
    std::string ansi;
    ansi.reserve(wide.size());
    for (char16_t c : wide) ansi.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    return ansi;
  }
  std::uint32_t ToUnsigned32(std::u16string_view text) const override { return ParseUnsigned32(text); }
};

constexpr unsigned char kFirstLead = 0x81;
constexpr unsigned char kLastLead = 0xFE;

class DoubleByte final : public CodePage {
 public:
  const char* NextChar(const char* p) const override {
    if (*p == '\0') return p;
    if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return p + 2;
    return p + 1;
  }
  bool IsLeadByte(unsigned char byte) const override { return byte >= kFirstLead && byte <= kLastLead; }
  bool EqualNoCase(const char* a, const char* b) const override {
    while (*a != '\0' && *b != '\0') {
      const char* nextA = NextChar(a);
      const char* nextB = NextChar(b);
      if (nextA - a != nextB - b) return false;
      if (nextA - a == 1) {
        if (FoldAscii(*a) != FoldAscii(*b)) return false;
      } else if (a[0] != b[0] || a[1] != b[1]) {
        return false;  // a double-byte character has no case, its second byte neither
      }
      a = nextA;
      b = nextB;
    }
    return *a == *b;
  }
  std::u16string ToUtf16(std::string_view ansi) const override {
    std::u16string wide;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto lead = static_cast<unsigned char>(ansi[i]);
      if (IsLeadByte(lead) && i + 1 < ansi.size() && ansi[i + 1] != '\0') {
        wide.push_back(static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(ansi[i + 1])));
        ++i;
      } else {
        wide.push_back(lead < 0x80 ? static_cast<char16_t>(lead) : u'?');
      }
    }
    return wide;
  }
  std::string FromUtf16(std::u16string_view wide) const override {
    std::string ansi;
    for (char16_t c : wide) {
      const auto lead = static_cast<unsigned char>(c >> 8);
      if (c < 0x80) {
        ansi.push_back(static_cast<char>(c));
      } else if (IsLeadByte(lead) && (c & 0xFF) != 0) {
        ansi.push_back(static_cast<char>(lead));
        ansi.push_back(static_cast<char>(c & 0xFF));
      } else {
        ansi.push_back('?');
      }
    }
    return ansi;
  }
  std::uint32_t ToUnsigned32(std::u16string_view text) const override { return ParseUnsigned32(text); }
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

const CodePage& SingleByteCodePage() {
  static const SingleByte page;
  return page;
}

const CodePage& DoubleByteTestCodePage() {
  static const DoubleByte page;
  return page;
}

std::uint32_t ParseUnsigned32(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::size_t end = text.size();
  while (end > i && IsBlank(text[end - 1])) --end;
  if (i == end) return 0;
  std::uint64_t value = 0;
  for (; i < end; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return 0;
    value = value * 10 + static_cast<std::uint64_t>(text[i] - u'0');
    if (value > 0xFFFFFFFFu) return 0;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace quellin::regscript
