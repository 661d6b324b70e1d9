#include "alerts/regscript/store_text.h"

#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "alerts/regscript/key_handle.h"

namespace quellin::regscript {
namespace {

struct RootText {
  RootKey root;
  const char* name;
};
constexpr RootText kRootTexts[] = {
    {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT"},         {RootKey::CurrentUser, "HKEY_CURRENT_USER"},
    {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE"},       {RootKey::Users, "HKEY_USERS"},
    {RootKey::PerformanceData, "HKEY_PERFORMANCE_DATA"}, {RootKey::DynData, "HKEY_DYN_DATA"},
    {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG"}};

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kRegedit5 = "Windows Registry Editor Version 5.00";

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::string HexBytes(const std::vector<std::uint8_t>& data) {
  std::string out;
  char pair[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::snprintf(pair, sizeof pair, "%02x", data[i]);
    if (i != 0) out.push_back(',');
    out += pair;
  }
  return out;
}

bool IsPlainString(const std::vector<std::uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0) return false;
  }
  return true;
}

void WriteValue(const StoredValue& value, std::string& out) {
  out += value.name.empty() ? "@" : Quoted(value.name);
  out += '=';
  if (value.type == ValueType::String && IsPlainString(value.data)) {
    out += Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
  } else if (value.type == ValueType::Dword && value.data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x",
                  static_cast<unsigned>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                        static_cast<std::uint32_t>(value.data[3]) << 24));
    out += number;
  } else if (value.type == ValueType::Binary) {
    out += "hex:" + HexBytes(value.data);
  } else {
    out += "hex(" + std::to_string(static_cast<std::uint32_t>(value.type)) + "):" + HexBytes(value.data);
  }
  out += '\n';
}

void WriteKey(const StoreNode& node, const std::string& path, std::string& out) {
  out += '[' + path + "]\n";
  for (const StoredValue& value : node.values) WriteValue(value, out);
  for (const auto& sub : node.subkeys) WriteKey(*sub, path + '\\' + sub->name, out);
}

// Reads a quoted text at `p`, undoing the escapes; moves p past it.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& p) {
  if (p >= line.size() || line[p] != '"') return std::nullopt;
  std::string text;
  for (++p; p < line.size(); ++p) {
    if (line[p] == '"') {
      ++p;
      return text;
    }
    if (line[p] == '\\') {
      if (++p == line.size()) return std::nullopt;
    }
    text.push_back(line[p]);
  }
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::vector<std::uint8_t>> ReadHex(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t p = 0;
  while (p < text.size()) {
    if (p + 1 >= text.size()) return std::nullopt;
    const int high = HexDigit(text[p]);
    const int low = HexDigit(text[p + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    p += 2;
    if (p < text.size()) {
      if (text[p] != ',') return std::nullopt;
      if (++p == text.size()) return std::nullopt;
    }
  }
  return bytes;
}

struct ParsedValue {
  std::string name;
  ValueType type;
  std::vector<std::uint8_t> data;
};

std::optional<ParsedValue> ReadValueLine(std::string_view line) {
  ParsedValue value{};
  std::size_t p = 0;
  if (!line.empty() && line[0] == '@') {
    p = 1;
  } else {
    auto name = ReadQuoted(line, p);
    if (!name || name->empty()) return std::nullopt;
    value.name = *name;
  }
  if (p >= line.size() || line[p] != '=') return std::nullopt;
  const std::string_view data = line.substr(p + 1);
  if (!data.empty() && data[0] == '"') {
    std::size_t q = 0;
    auto text = ReadQuoted(data, q);
    if (!text || q != data.size()) return std::nullopt;
    value.type = ValueType::String;
    value.data.assign(text->begin(), text->end());
    value.data.push_back(0);
    return value;
  }
  if (data.starts_with("dword:")) {
    const std::string_view digits = data.substr(6);
    if (digits.size() != 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
      const int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      number = number << 4 | static_cast<std::uint32_t>(d);
    }
    value.type = ValueType::Dword;
    value.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                  static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    return value;
  }
  std::string_view hex;
  if (data.starts_with("hex:")) {
    value.type = ValueType::Binary;
    hex = data.substr(4);
  } else if (data.starts_with("hex(")) {
    const std::size_t close = data.find("):");
    if (close == std::string_view::npos || close == 4) return std::nullopt;
    std::uint32_t type = 0;
    for (char c : data.substr(4, close - 4)) {
      const int d = HexDigit(c);
      if (d < 0 || d > 9 || type > 100000) return std::nullopt;
      type = type * 10 + static_cast<std::uint32_t>(d);
    }
    value.type = static_cast<ValueType>(type);
    hex = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  auto bytes = ReadHex(hex);
  if (!bytes) return std::nullopt;
  value.data = std::move(*bytes);
  return value;
}

}  // namespace

std::string WriteStoreText(const MemoryStore& store) {
  std::string out;
  for (const RootText& root : kRootTexts) {
    const StoreNode& node = store.Root(root.root);
    if (!node.values.empty()) {
      out += '[' + std::string(root.name) + "]\n";
      for (const StoredValue& value : node.values) WriteValue(value, out);
    }
    for (const auto& sub : node.subkeys) WriteKey(*sub, std::string(root.name) + '\\' + sub->name, out);
  }
  return out;
}

bool ReadStoreText(const std::string& text, MemoryStore& store, std::string* error) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  CKeyHandle current(store);
  bool haveKey = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const auto fail = [&](const char* why) {
      *error = "line " + std::to_string(i + 1) + ": " + why;
      return false;
    };
    if (line.empty()) continue;
    if (i == 0 && (line == kRegedit4 || line == kRegedit5)) continue;
    if (line[0] == '[') {
      if (line.back() != ']') return fail("a key line ends with ]");
      const std::string path = line.substr(1, line.size() - 2);
      const std::size_t slash = path.find('\\');
      const std::string rootName = path.substr(0, slash);
      const RootText* root = nullptr;
      for (const RootText& candidate : kRootTexts) {
        if (rootName == candidate.name) root = &candidate;
      }
      if (root == nullptr) return fail("unknown root key");
      current.Borrow(RootRef(root->root));
      std::size_t p = slash;
      while (p != std::string::npos) {
        const std::size_t next = path.find('\\', p + 1);
        const std::string name = path.substr(p + 1, next == std::string::npos ? std::string::npos : next - p - 1);
        if (name.empty()) return fail("empty key name");
        const OpenedKey opened = store.CreateKey(current.get(), name);
        if (opened.error != 0) return fail("key cannot be created");
        current.Replace(opened.key);
        p = next;
      }
      haveKey = true;
      continue;
    }
    if (!haveKey) return fail("a value before any key");
    const std::optional<ParsedValue> value = ReadValueLine(line);
    if (!value) return fail("not a value line");
    store.SetValue(current.get(), value->name, value->type, value->data);
  }
  return true;
}

}  // namespace quellin::regscript
