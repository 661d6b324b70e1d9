#pragma once
// The system's ANSI code page, through CharNextA, IsDBCSLeadByte, lstrcmpiA, the CP_ACP
// conversions and VarUI4FromStr.
#include "alerts/regscript/code_page.h"

namespace quellin::regscript::win32 {

class Win32CodePage final : public CodePage {
 public:
  const char* NextChar(const char* p) const override;
  bool IsLeadByte(unsigned char byte) const override;
  bool EqualNoCase(const char* a, const char* b) const override;
  std::u16string ToUtf16(std::string_view ansi) const override;
  std::string FromUtf16(std::u16string_view wide) const override;
  // VarUI4FromStr with locale 0 and no flags; its answer is ignored, and a text it refuses
  // stores 0 as the portable reading does.
  std::uint32_t ToUnsigned32(std::u16string_view text) const override;
};

}  // namespace quellin::regscript::win32
