// The script resource is carried byte for byte: CR LF line ends, tab indentation, and the two
// lines whose blanks matter.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(RegistrationScriptBytes, EveryLineEndsInCrLfAndIsIndentedWithTabs) {
  std::ifstream file(QUELLIN_SCRIPT_FILE, std::ios::binary);
  ASSERT_TRUE(file);
  std::ostringstream content;
  content << file.rdbuf();
  const std::string text = content.str();
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const std::vector<std::string> lines = CrLfLines(text);
  ASSERT_EQ(lines.size(), 53u);
  EXPECT_EQ(lines.front(), "HKCU");
  EXPECT_EQ(lines.back(), "}");
  int trailingBlanks = 0;
  int spaceIndented = 0;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const std::size_t body = line.find_first_not_of('\t');
    if (body != std::string::npos && line[body] == ' ') ++spaceIndented;
    if (!line.empty() && line.back() == ' ') ++trailingBlanks;
  }
  EXPECT_EQ(trailingBlanks, 1);
  EXPECT_EQ(spaceIndented, 1);
  EXPECT_EQ(lines[20], "\t\t\t\t\tQN_ChangeToAmber ");
  EXPECT_EQ(lines[22], "\t\t\t\t\t    .Current = s 'chimes.wav'");
  EXPECT_EQ(lines[11], "\t\t\tQN_FiveMinsOk\t= s '5 Minute extension granted'");
}

}  // namespace
