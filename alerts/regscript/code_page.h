#pragma once
// The character services the interpreter and the command line need from the ANSI code page.
// Every scan steps through CharNext so that the second byte of a double-byte character is
// never taken for a quote, brace, equals sign, percent sign, backslash, blank or switch sign.
#include <cstdint>
#include <string>
#include <string_view>

namespace quellin::regscript {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The next character after p; p itself at the terminating NUL. Never steps past a NUL.
  virtual const char* NextChar(const char* p) const = 0;
  virtual bool IsLeadByte(unsigned char byte) const = 0;
  // Equality of two NUL-terminated texts without regard to case.
  virtual bool EqualNoCase(const char* a, const char* b) const = 0;
  virtual std::u16string ToUtf16(std::string_view ansi) const = 0;
  virtual std::string FromUtf16(std::u16string_view wide) const = 0;
  // The value of a "D" entry: the text read as an unsigned 32-bit number.
  virtual std::uint32_t ToUnsigned32(std::u16string_view text) const = 0;
};

// Western single-byte page: every byte is one character, bytes 128 to 255 are U+0080 to U+00FF.
const CodePage& SingleByteCodePage();

// A double-byte page for tests: bytes 0x81 to 0xFE lead a character whose second byte may be
// any byte but NUL, the ASCII signs included. Such a pair maps to the UTF-16 unit lead*256+trail.
const CodePage& DoubleByteTestCodePage();

// The portable reading of a "D" value: blanks (space, tab) around the number are allowed, then
// decimal digits only. Text that is not such a number, or a number above 4294967295, stores 0,
// the value the store would hold had the conversion written nothing into a cleared field.
std::uint32_t ParseUnsigned32(std::u16string_view text);

}  // namespace quellin::regscript
