#pragma once
// CScriptParser: the lexical level of the registration script language (preprocessing of
// %NAME% markers, blanks, tokens) and the execution of a preprocessed script against a store,
// in the register or the unregister pass.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/registry_store.h"
#include "alerts/regscript/replacement_map.h"
#include "alerts/regscript/result.h"

namespace quellin::regscript {

class CKeyHandle;

constexpr std::size_t kTokenBufferSize = 4096;
// A quoted token holds at most this many bytes of text.
constexpr std::size_t kMaxQuotedToken = 4094;
// An unquoted token must leave room for its NUL in the token buffer; a longer one is refused
// with DISP_E_EXCEPTION like every other malformed token.
constexpr std::size_t kMaxUnquotedToken = kTokenBufferSize - 1;
// Key names and Val names: at most 259 bytes. A longer one is refused with DISP_E_EXCEPTION in
// both passes rather than cut, since a cut name would name, and could delete, another key.
constexpr std::size_t kMaxNameBytes = 259;
constexpr std::size_t kMaxMarkerName = 31;
// Blocks nest at most this deep (the registry's own limit on key depth); deeper nesting is
// refused with DISP_E_EXCEPTION, so that no script text can exhaust the stack.
constexpr int kMaxBlockDepth = 512;

using TokenBuffer = std::array<char, kTokenBufferSize>;

// The root key of a root key name (short names first, then long names), or none.
bool RootKeyFromName(const CodePage& codePage, const char* name, RootKey* root);

class CScriptParser {
 public:
  CScriptParser(const CReplacementMap& replacements, RegistryStore& store, const CodePage& codePage);
  ~CScriptParser();
  CScriptParser(const CScriptParser&) = delete;
  CScriptParser& operator=(const CScriptParser&) = delete;

  Result ExecuteScript(const char* script, bool registerPass);

  // The lexical level. PreprocessScript makes the text that SkipBlanks and ReadToken walk.
  Result PreprocessScript(const char* script);
  const char* text() const { return text_.get(); }
  void SkipBlanks();
  Result ReadToken(TokenBuffer& buffer);
  bool AtEnd() const { return *position_ == '\0'; }

 private:
  Result ProcessBlock(KeyRef parent, bool registerPass, bool skip);
  Result RegisterBlock(KeyRef parent);
  Result UnregisterBlock(KeyRef parent, bool skip);
  Result ReadPastEntry();
  // A Val entry's name and the "=" after it; the name is at most kMaxNameBytes long.
  Result ReadValName(std::array<char, kMaxNameBytes + 1>& name);
  Result WriteValue(KeyRef key, const std::string& valueName);
  Result SkipValueSpec();
  std::int32_t DeleteKeyTree(KeyRef parent, const std::string& name);
  std::int32_t DeleteKeyTree(KeyRef parent, const std::string& name, int depth);
  bool KeyHasSubkeys(KeyRef key);
  bool KeyHoldsValues(KeyRef key);

  bool IsWord(const char* token, const char* word) const;
  bool IsKeyword(const char* token) const;
  bool IsProtected(const char* name) const;
  Result CheckKeyName(const char* name) const;
  bool Contains(const char* text, char sign) const;

  const CReplacementMap& replacements_;
  RegistryStore& store_;
  const CodePage& codePage_;
  std::unique_ptr<char[]> text_;
  const char* position_ = nullptr;
  int depth_ = 0;
  TokenBuffer token_{};
};

}  // namespace quellin::regscript
