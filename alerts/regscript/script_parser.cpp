#include "alerts/regscript/script_parser.h"

#include <cstring>
#include <new>
#include <utility>

#include "alerts/regscript/key_handle.h"

namespace quellin::regscript {
namespace {

constexpr char kQuote = '\'';
constexpr char kPercent = '%';
constexpr char kOpenBlock = '{';
constexpr char kCloseBlock = '}';
constexpr char kAssign = '=';
constexpr char kBackslash = '\\';

bool IsWhite(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

struct RootName {
  const char* name;
  RootKey root;
};
constexpr RootName kShortRootNames[] = {
    {"HKCR", RootKey::ClassesRoot}, {"HKCU", RootKey::CurrentUser},     {"HKLM", RootKey::LocalMachine},
    {"HKU", RootKey::Users},        {"HKPD", RootKey::PerformanceData}, {"HKDD", RootKey::DynData},
    {"HKCC", RootKey::CurrentConfig}};
constexpr RootName kLongRootNames[] = {{"HKEY_CLASSES_ROOT", RootKey::ClassesRoot},
                                       {"HKEY_CURRENT_USER", RootKey::CurrentUser},
                                       {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
                                       {"HKEY_USERS", RootKey::Users},
                                       {"HKEY_PERFORMANCE_DATA", RootKey::PerformanceData},
                                       {"HKEY_DYN_DATA", RootKey::DynData},
                                       {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig}};

constexpr const char* kNoRemove = "NoRemove";
constexpr const char* kForceRemove = "ForceRemove";
constexpr const char* kDelete = "Delete";
constexpr const char* kVal = "Val";
constexpr const char* kProtectedNames[] = {"CLSID", "TYPELIB"};

// The preprocessed text: room for twice the script at first, doubled when full.
class GrowingText {
 public:
  bool Reserve(std::size_t room) {
    data_.reset(new (std::nothrow) char[room]);
    room_ = data_ ? room : 0;
    return data_ != nullptr;
  }
  bool Append(const char* bytes, std::size_t count) {
    while (size_ + count > room_) {
      const std::size_t bigger = room_ * 2;
      std::unique_ptr<char[]> grown(new (std::nothrow) char[bigger]);
      if (!grown) return false;
      std::memcpy(grown.get(), data_.get(), size_);
      data_ = std::move(grown);
      room_ = bigger;
    }
    std::memcpy(data_.get() + size_, bytes, count);
    size_ += count;
    return true;
  }
  std::unique_ptr<char[]> Release() { return std::move(data_); }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t room_ = 0;
  std::size_t size_ = 0;
};

// Counts the levels of ProcessBlock that are running.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

bool RootKeyFromName(const CodePage& codePage, const char* name, RootKey* root) {
  for (const auto* table : {&kShortRootNames, &kLongRootNames}) {
    for (const RootName& entry : *table) {
      if (codePage.EqualNoCase(name, entry.name)) {
        *root = entry.root;
        return true;
      }
    }
  }
  return false;
}

CScriptParser::CScriptParser(const CReplacementMap& replacements, RegistryStore& store, const CodePage& codePage)
    : replacements_(replacements), store_(store), codePage_(codePage) {}

CScriptParser::~CScriptParser() = default;

Result CScriptParser::PreprocessScript(const char* script) {
  const std::size_t length = std::strlen(script);
  GrowingText out;
  // A script of zero bytes still needs room for its NUL; it then holds no root entry and runs
  // to S_OK. Room that cannot be enlarged later fails as the first room does, E_OUTOFMEMORY.
  if (!out.Reserve(length == 0 ? 1 : 2 * length)) return result::OutOfMemory;
  const char* p = script;
  while (*p != '\0') {
    if (*p != kPercent) {
      const char* next = codePage_.NextChar(p);
      if (!out.Append(p, static_cast<std::size_t>(next - p))) return result::OutOfMemory;
      p = next;
      continue;
    }
    if (p[1] == kPercent) {
      if (!out.Append(p, 1)) return result::OutOfMemory;
      p += 2;
      continue;
    }
    const char* nameStart = p + 1;
    const char* q = nameStart;
    while (*q != '\0' && *q != kPercent) q = codePage_.NextChar(q);
    if (*q == '\0') return result::DispException;
    const auto nameLength = static_cast<std::size_t>(q - nameStart);
    if (nameLength > kMaxMarkerName) return result::Fail;
    std::array<char, kMaxMarkerName + 1> name{};
    std::memcpy(name.data(), nameStart, nameLength);
    const std::optional<std::u16string> value = replacements_.FindReplacement(name.data());
    if (!value) return result::DispException;
    const std::string ansi = codePage_.FromUtf16(*value);
    if (!out.Append(ansi.data(), ansi.size())) return result::OutOfMemory;
    p = q + 1;
  }
  if (!out.Append("", 1)) return result::OutOfMemory;
  text_ = out.Release();
  position_ = text_.get();
  return result::Ok;
}

void CScriptParser::SkipBlanks() {
  while (IsWhite(*position_)) ++position_;
}

Result CScriptParser::ReadToken(TokenBuffer& buffer) {
  SkipBlanks();
  if (*position_ == '\0') return result::DispException;
  std::size_t length = 0;
  const char* p = position_;
  if (*p == kQuote) {
    ++p;
    for (;;) {
      if (*p == '\0') return result::DispException;
      if (*p == kQuote) {
        if (p[1] != kQuote) {
          ++p;
          break;
        }
        if (length + 1 > kMaxQuotedToken) return result::DispException;
        buffer[length++] = kQuote;
        p += 2;
        continue;
      }
      const char* next = codePage_.NextChar(p);
      const auto size = static_cast<std::size_t>(next - p);
      if (length + size > kMaxQuotedToken) return result::DispException;
      std::memcpy(buffer.data() + length, p, size);
      length += size;
      p = next;
    }
  } else {
    while (*p != '\0' && !IsWhite(*p)) {
      const char* next = codePage_.NextChar(p);
      const auto size = static_cast<std::size_t>(next - p);
      if (length + size > kMaxUnquotedToken) return result::DispException;
      std::memcpy(buffer.data() + length, p, size);
      length += size;
      p = next;
    }
  }
  buffer[length] = '\0';
  position_ = p;
  return result::Ok;
}

bool CScriptParser::IsWord(const char* token, const char* word) const { return codePage_.EqualNoCase(token, word); }

bool CScriptParser::IsKeyword(const char* token) const {
  return IsWord(token, kNoRemove) || IsWord(token, kForceRemove) || IsWord(token, kDelete) || IsWord(token, kVal);
}

bool CScriptParser::IsProtected(const char* name) const {
  for (const char* protectedName : kProtectedNames) {
    if (IsWord(name, protectedName)) return true;
  }
  return false;
}

bool CScriptParser::Contains(const char* text, char sign) const {
  for (const char* p = text; *p != '\0'; p = codePage_.NextChar(p)) {
    if (*p == sign) return true;
  }
  return false;
}

// A key name names one level of the tree. Beyond the backslash rule, three cases outside the
// grammar are refused rather than guessed at: a name that begins with "{", "}" or "=" (a block after
// a Delete or Val entry, or a stray assignment, would otherwise create a key of that name), a
// second keyword where a name is due ("NoRemove Val x", "ForceRemove Delete x"), and a name
// longer than 259 bytes.
Result CScriptParser::CheckKeyName(const char* name) const {
  if (name[0] == kOpenBlock || name[0] == kCloseBlock || name[0] == kAssign) return result::DispException;
  if (Contains(name, kBackslash)) return result::DispException;
  if (std::strlen(name) > kMaxNameBytes) return result::DispException;
  if (IsKeyword(name)) return result::DispException;
  return result::Ok;
}

Result CScriptParser::ExecuteScript(const char* script, bool registerPass) {
  Result r = PreprocessScript(script);
  if (Failed(r)) return r;
  while (!AtEnd()) {
    if (Failed(r = ReadToken(token_))) break;
    RootKey root{};
    if (!RootKeyFromName(codePage_, token_.data(), &root)) {
      r = result::DispException;
      break;
    }
    if (Failed(r = ReadToken(token_))) break;
    if (token_[0] != kOpenBlock) {
      r = result::DispException;
      break;
    }
    if (registerPass) {
      const char* blockStart = position_;
      r = ProcessBlock(RootRef(root), true, false);
      if (Failed(r)) {
        // Undo this root entry the way the unregister pass would; its answer changes nothing.
        position_ = blockStart;
        ProcessBlock(RootRef(root), false, false);
        break;
      }
    } else if (Failed(r = ProcessBlock(RootRef(root), false, false))) {
      break;
    }
    SkipBlanks();
  }
  text_.reset();
  position_ = nullptr;
  return r;
}

Result CScriptParser::ProcessBlock(KeyRef parent, bool registerPass, bool skip) {
  const DepthGuard level(depth_);
  if (depth_ > kMaxBlockDepth) return result::DispException;
  return registerPass ? RegisterBlock(parent) : UnregisterBlock(parent, skip);
}

Result CScriptParser::RegisterBlock(KeyRef parent) {
  CKeyHandle key(store_);
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  while (token_[0] != kCloseBlock) {
    if (IsWord(token_.data(), kForceRemove) || IsWord(token_.data(), kDelete)) {
      const bool deleteOnly = IsWord(token_.data(), kDelete);
      if (Failed(r = ReadToken(token_))) return r;
      if (Failed(r = CheckKeyName(token_.data()))) return r;
      if (!IsProtected(token_.data())) DeleteKeyTree(parent, token_.data());
      if (deleteOnly) {
        if (Failed(r = ReadToken(token_))) return r;
        if (Failed(r = SkipValueSpec())) return r;
        continue;
      }
    }
    if (IsWord(token_.data(), kNoRemove)) {
      // NoRemove means nothing to the register pass; only its name follows.
      if (Failed(r = ReadToken(token_))) return r;
      if (Failed(r = CheckKeyName(token_.data()))) return r;
    }
    if (IsWord(token_.data(), kVal)) {
      std::array<char, kMaxNameBytes + 1> valueName{};
      if (Failed(r = ReadValName(valueName))) return r;
      if (Failed(r = WriteValue(parent, valueName.data()))) return r;
      continue;
    }
    if (Failed(r = CheckKeyName(token_.data()))) return r;
    const std::string name = token_.data();
    OpenedKey opened = store_.OpenKey(parent, name, KeyAccess::All);
    if (opened.error != 0) opened = store_.OpenKey(parent, name, KeyAccess::Read);
    if (opened.error != 0) opened = store_.CreateKey(parent, name);
    if (opened.error != 0) return result::DispException;
    if (key.Replace(opened.key) != 0) return result::DispException;
    if (Failed(r = ReadToken(token_))) return r;
    if (token_[0] == kAssign && Failed(r = WriteValue(key.get(), std::string()))) return r;
    if (std::strcmp(token_.data(), "{") == 0) {
      if (Failed(r = ProcessBlock(key.get(), true, false))) return r;
      if (Failed(r = ReadToken(token_))) return r;
    }
  }
  return result::Ok;
}

Result CScriptParser::ReadValName(std::array<char, kMaxNameBytes + 1>& name) {
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  if (std::strlen(token_.data()) > kMaxNameBytes) return result::DispException;
  std::strcpy(name.data(), token_.data());
  if (Failed(r = ReadToken(token_))) return r;
  return token_[0] == kAssign ? result::Ok : result::DispException;
}

// Reads past an entry's assignment and block without touching the store.
Result CScriptParser::ReadPastEntry() {
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  if (Failed(r = SkipValueSpec())) return r;
  if (token_[0] == kOpenBlock) {
    if (Failed(r = ProcessBlock(kNoKey, false, true))) return r;
    if (Failed(r = ReadToken(token_))) return r;
  }
  return result::Ok;
}

Result CScriptParser::UnregisterBlock(KeyRef parent, bool skip) {
  CKeyHandle key(store_);
  bool keep = false;
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  while (token_[0] != kCloseBlock) {
    if (IsWord(token_.data(), kForceRemove) || IsWord(token_.data(), kDelete)) {
      if (Failed(r = ReadToken(token_))) return r;
      if (Failed(r = CheckKeyName(token_.data()))) return r;
    }
    if (IsWord(token_.data(), kNoRemove)) {
      // From here to the end of the block no key is deleted.
      keep = true;
      if (Failed(r = ReadToken(token_))) return r;
      if (Failed(r = CheckKeyName(token_.data()))) return r;
    }
    if (IsWord(token_.data(), kVal)) {
      std::array<char, kMaxNameBytes + 1> valueName{};
      if (Failed(r = ReadValName(valueName))) return r;
      if (!skip) store_.DeleteValue(parent, valueName.data());
      if (Failed(r = SkipValueSpec())) return r;
      continue;
    }
    if (Failed(r = CheckKeyName(token_.data()))) return r;
    const std::string name = token_.data();

    OpenedKey opened{store_error::FileNotFound, kNoKey};
    if (!skip) {
      // Write access, so that the Val entries of the block can delete their values; a key that
      // only opens for reading can still lose its subkeys and be deleted.
      opened = store_.OpenKey(parent, name, KeyAccess::ReadWrite);
      if (opened.error != 0) opened = store_.OpenKey(parent, name, KeyAccess::Read);
    }
    if (opened.error != 0) {
      if (Failed(r = ReadPastEntry())) return r;
      continue;
    }
    if (key.Replace(opened.key) != 0) return result::DispException;

    if (KeyHasSubkeys(key.get()) || KeyHoldsValues(key.get())) {
      if (Failed(r = ReadToken(token_))) return r;
      if (Failed(r = SkipValueSpec())) return r;
      if (token_[0] == kOpenBlock) {
        if (Failed(r = ProcessBlock(key.get(), false, false))) return r;
        if (Failed(r = ReadToken(token_))) return r;
      }
      if (KeyHasSubkeys(key.get())) continue;
      if (key.Close() != 0) return result::DispException;
      if (!keep) store_.DeleteKey(parent, name);
    } else {
      if (key.Close() != 0) return result::DispException;
      if (!keep) store_.DeleteKey(parent, name);
      if (Failed(r = ReadPastEntry())) return r;
    }
  }
  return result::Ok;
}

Result CScriptParser::WriteValue(KeyRef key, const std::string& valueName) {
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  if (token_[0] == '\0' || token_[1] != '\0') return result::DispException;
  const char type = token_[0];
  const bool isString = type == 'S' || type == 's';
  const bool isDword = type == 'D' || type == 'd';
  const bool isBinary = type == 'B' || type == 'b';
  if (!isString && !isDword && !isBinary) return result::DispException;
  SkipBlanks();
  if (Failed(r = ReadToken(token_))) return r;
  const std::size_t length = std::strlen(token_.data());
  if (isString) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(token_.data());
    store_.SetValue(key, valueName, ValueType::String, {bytes, length + 1});
  } else if (isDword) {
    const std::uint32_t number = codePage_.ToUnsigned32(codePage_.ToUtf16(token_.data()));
    const std::array<std::uint8_t, 4> bytes = {
        static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
        static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    store_.SetValue(key, valueName, ValueType::Dword, bytes);
  } else {
    if (length % 2 != 0) return result::Fail;
    // Any character that is not a hexadecimal digit counts as 0.
    const auto digit = [](char c) -> std::uint8_t {
      if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
      if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
      if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
      return 0;
    };
    std::array<std::uint8_t, kTokenBufferSize / 2> bytes{};
    for (std::size_t i = 0; i < length / 2; ++i) {
      bytes[i] = static_cast<std::uint8_t>(digit(token_[2 * i]) << 4 | digit(token_[2 * i + 1]));
    }
    store_.SetValue(key, valueName, ValueType::Binary, {bytes.data(), length / 2});
  }
  return ReadToken(token_);
}

Result CScriptParser::SkipValueSpec() {
  if (token_[0] != kAssign) return result::Ok;
  Result r = ReadToken(token_);
  if (Failed(r)) return r;
  SkipBlanks();
  TokenBuffer value;
  if (Failed(r = ReadToken(value))) return r;
  return ReadToken(token_);
}

std::int32_t CScriptParser::DeleteKeyTree(KeyRef parent, const std::string& name) {
  return DeleteKeyTree(parent, name, 0);
}

// A tree deeper than the registry allows (possible only in a store that is not the registry)
// is left alone rather than walked into a stack overflow.
std::int32_t CScriptParser::DeleteKeyTree(KeyRef parent, const std::string& name, int depth) {
  if (depth > kMaxBlockDepth) return store_error::InvalidParameter;
  const OpenedKey opened = store_.OpenKey(parent, name, KeyAccess::ReadWrite);
  if (opened.error != 0) return opened.error;
  CKeyHandle key(store_);
  key.Replace(opened.key);
  for (;;) {
    const EnumeratedName sub = store_.EnumKey(key.get(), 0, kSubkeyNameBuffer);
    if (sub.error != 0) break;
    if (const std::int32_t error = DeleteKeyTree(key.get(), sub.name, depth + 1); error != 0) return error;
  }
  key.Close();
  return store_.DeleteKey(parent, name);
}

bool CScriptParser::KeyHasSubkeys(KeyRef key) {
  const KeyCounts counts = store_.QueryInfoKey(key);
  return counts.error == 0 && counts.subkeys > 0;
}

// A key whose only value is its default value counts as holding none.
bool CScriptParser::KeyHoldsValues(KeyRef key) {
  const KeyCounts counts = store_.QueryInfoKey(key);
  if (counts.error != 0 || counts.values == 0) return false;
  if (counts.values >= 2) return true;
  const EnumeratedName only = store_.EnumValue(key, 0, kValueNameBuffer);
  return only.error == 0 && !only.name.empty();
}

}  // namespace quellin::regscript
