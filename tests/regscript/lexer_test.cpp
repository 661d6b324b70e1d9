// The lexical level and its code pages: preprocessing, tokens, character stepping, the
// replacement map and the reading of "D" values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/replacement_map.h"
#include "alerts/regscript/script_parser.h"

namespace {

using namespace quellin::regscript;

// The tokens of a text, or the failure that stopped the reading.
struct Tokens {
  Result result;
  std::vector<std::string> tokens;
};

Tokens ReadAllTokens(const CodePage& page, const std::string& text) {
  CReplacementMap map(page);
  map.AddReplacement(u"Module", u"C:\\It''s\\Q.exe");
  MemoryStore store;
  CScriptParser parser(map, store, page);
  Tokens out{parser.PreprocessScript(text.c_str()), {}};
  if (Failed(out.result)) return out;
  TokenBuffer buffer;
  for (;;) {
    parser.SkipBlanks();
    if (parser.AtEnd()) return out;
    out.result = parser.ReadToken(buffer);
    if (Failed(out.result)) return out;
    out.tokens.emplace_back(buffer.data());
  }
}

TEST(ReadToken, SplitsTextByTheLexicalRules) {
  const struct {
    const char* text;
    std::vector<std::string> tokens;
  } cases[] = {
      {"a\tb\r\nc  d", {"a", "b", "c", "d"}},
      {"'two words' x", {"two words", "x"}},
      {"'it''s'", {"it's"}},
      {"''''''", {"''"}},
      {"'x'y", {"x", "y"}},
      {"''", {""}},
      {"a'b c=d{e}", {"a'b", "c=d{e}"}},
      {"\v\f", {"\v\f"}},  // only tab, LF, CR and space are blanks
      {"100%%", {"100%"}},
      {"'%Module%'", {"C:\\It's\\Q.exe"}},
      {"%MODULE%", {"C:\\It''s\\Q.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Tokens got = ReadAllTokens(SingleByteCodePage(), c.text);
    EXPECT_EQ(got.result, result::Ok);
    EXPECT_EQ(got.tokens, c.tokens);
  }
}

TEST(ReadToken, RefusesWhatItCannotRead) {
  const std::string name31(31, 'n');
  const struct {
    std::string text;
    Result result;
  } cases[] = {
      {"'open", result::DispException},
      {"'ends with doubled ''", result::DispException},
      {"50%", result::DispException},
      {"%" + name31 + "%", result::DispException},
      {"%" + name31 + "n%", result::Fail},
      {"%Nobody%", result::DispException},
      {"'" + std::string(kMaxQuotedToken + 1, 'q') + "'", result::DispException},
      {"'" + std::string(2 * (kMaxQuotedToken + 1), '\'') + "'", result::DispException},
      {std::string(kMaxUnquotedToken + 1, 'u'), result::DispException},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    EXPECT_EQ(ReadAllTokens(SingleByteCodePage(), c.text).result, c.result);
  }
}

TEST(ReadToken, TakesTheLongestTokensThatFit) {
  const std::string quoted(kMaxQuotedToken, 'q');
  const std::string unquoted(kMaxUnquotedToken, 'u');
  EXPECT_EQ(ReadAllTokens(SingleByteCodePage(), "'" + quoted + "'").tokens, std::vector<std::string>{quoted});
  EXPECT_EQ(ReadAllTokens(SingleByteCodePage(), unquoted).tokens, std::vector<std::string>{unquoted});
  // 2047 doubled quotes give 2047 bytes: the doubling is counted after it is undone.
  const std::string doubled(2 * 2047, '\'');
  EXPECT_EQ(ReadAllTokens(SingleByteCodePage(), "'" + doubled + "'").tokens,
            std::vector<std::string>{std::string(2047, '\'')});
}

// Every sign of the language as the second byte of a double-byte character.
TEST(DoubleBytePage, ASecondByteIsNeverTakenForASign) {
  const std::string lead = "\x82";
  for (char sign : std::string("'{}=%\\ \t\r\n/-")) {
    SCOPED_TRACE(static_cast<int>(sign));
    const std::string character = lead + sign;
    const Tokens bare = ReadAllTokens(DoubleByteTestCodePage(), "a" + character + "b next");
    EXPECT_EQ(bare.result, result::Ok);
    EXPECT_EQ(bare.tokens, (std::vector<std::string>{"a" + character + "b", "next"}));
    const Tokens quoted = ReadAllTokens(DoubleByteTestCodePage(), "'q" + character + "' next");
    EXPECT_EQ(quoted.result, result::Ok);
    EXPECT_EQ(quoted.tokens, (std::vector<std::string>{"q" + character, "next"}));
    if (sign == '\'') {
      // The single-byte page reads the same bytes as two characters, the quote ending the token.
      EXPECT_NE(ReadAllTokens(SingleByteCodePage(), "'q" + character + "' next").tokens, quoted.tokens);
    }
  }
}

TEST(DoubleBytePage, ALeadByteAtTheEndOfTheTextIsOneCharacter) {
  const CodePage& page = DoubleByteTestCodePage();
  const char text[] = "\x82";
  EXPECT_EQ(page.NextChar(text), text + 1);
  EXPECT_EQ(page.NextChar(text + 1), text + 1);
  EXPECT_EQ(ReadAllTokens(page, "'\x82").result, result::DispException);
  EXPECT_EQ(ReadAllTokens(page, "x\x82").tokens, std::vector<std::string>{"x\x82"});
}

TEST(DoubleBytePage, CaseIsFoldedOnlyInSingleByteCharacters) {
  const CodePage& page = DoubleByteTestCodePage();
  EXPECT_TRUE(page.EqualNoCase("noremove", "NoRemove"));
  EXPECT_TRUE(page.EqualNoCase("a\x82z", "A\x82z"));
  EXPECT_FALSE(page.EqualNoCase("a\x82z", "a\x82Z")) << "z here is the second byte of a character";
  EXPECT_FALSE(page.EqualNoCase("ab", "abc"));
  EXPECT_EQ(page.FromUtf16(page.ToUtf16("x\x82'y")), "x\x82'y");
}

TEST(SingleBytePage, ConvertsEveryByteBothWays) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  const CodePage& page = SingleByteCodePage();
  EXPECT_EQ(page.FromUtf16(page.ToUtf16(all)), all);
  EXPECT_EQ(page.FromUtf16(u"\u20ac"), "?");
}

TEST(ParseUnsigned32, ReadsDecimalDigitsWithBlanksAroundThem) {
  const struct {
    const char16_t* text;
    std::uint32_t value;
  } cases[] = {{u"0", 0},          {u"42", 42},       {u" \t42\t ", 42},       {u"4294967295", 4294967295u},
               {u"4294967296", 0}, {u"00000017", 17}, {u"99999999999999999999", 0},
               {u"", 0},           {u"  ", 0},        {u"-1", 0},             {u"+1", 0},
               {u"0x10", 0},       {u"1 2", 0},       {u"12a", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    EXPECT_EQ(ParseUnsigned32(c.text), c.value);
  }
}

TEST(ReplacementMap, FirstMatchWinsWithoutRegardToCaseAndRoomDoubles) {
  CReplacementMap map(SingleByteCodePage());
  EXPECT_EQ(map.AddReplacement(u"Module", u"first"), result::Ok);
  EXPECT_EQ(map.room(), CReplacementMap::kInitialRoom);
  for (int i = 0; i < 10; ++i) map.AddReplacement(u"MODULE", u"later");
  EXPECT_EQ(map.room(), 2 * CReplacementMap::kInitialRoom);
  EXPECT_EQ(map.FindReplacement("module"), u"first");
  EXPECT_FALSE(map.FindReplacement("Modul").has_value());
  map.Clear();
  EXPECT_EQ(map.size(), 0u);
  EXPECT_FALSE(map.FindReplacement("Module").has_value());
}

TEST(QuoteForScript, DoublesEverySingleQuote) {
  EXPECT_EQ(QuoteForScript(u"C:\\O'Neil's\\''x"), u"C:\\O''Neil''s\\''''x");
  EXPECT_EQ(QuoteForScript(u""), u"");
}

TEST(RootKeyFromName, KnowsShortAndLongNamesInAnyCase) {
  const struct {
    const char* name;
    RootKey root;
  } known[] = {{"HKCR", RootKey::ClassesRoot},        {"hkcu", RootKey::CurrentUser},
               {"HkLm", RootKey::LocalMachine},       {"HKU", RootKey::Users},
               {"HKPD", RootKey::PerformanceData},    {"HKDD", RootKey::DynData},
               {"HKCC", RootKey::CurrentConfig},      {"hkey_classes_root", RootKey::ClassesRoot},
               {"HKEY_CURRENT_USER", RootKey::CurrentUser}, {"HKEY_LOCAL_MACHINE", RootKey::LocalMachine},
               {"HKEY_USERS", RootKey::Users},        {"HKEY_PERFORMANCE_DATA", RootKey::PerformanceData},
               {"HKEY_DYN_DATA", RootKey::DynData},   {"HKEY_CURRENT_CONFIG", RootKey::CurrentConfig}};
  for (const auto& k : known) {
    SCOPED_TRACE(k.name);
    RootKey root{};
    ASSERT_TRUE(RootKeyFromName(SingleByteCodePage(), k.name, &root));
    EXPECT_EQ(root, k.root);
  }
  RootKey root{};
  for (const char* unknown : {"HKEY", "HKCU2", "", "HKEY_CURRENT_USER\\x"}) {
    EXPECT_FALSE(RootKeyFromName(SingleByteCodePage(), unknown, &root)) << unknown;
  }
}

TEST(FromSystemError, SetsTheWin32FacilityOnPositiveErrors) {
  EXPECT_EQ(FromSystemError(2), static_cast<Result>(0x80070002u));
  EXPECT_EQ(FromSystemError(1813), static_cast<Result>(0x80070715u));
  EXPECT_EQ(FromSystemError(0x12345678), static_cast<Result>(0x80075678u));
  EXPECT_EQ(FromSystemError(0), 0);
  EXPECT_EQ(FromSystemError(result::Fail), result::Fail);
}

}  // namespace
