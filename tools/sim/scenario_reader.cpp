#include "tools/sim/scenario_reader.h"

#include <limits>

namespace quellin::sim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

bool SplitWords(std::string_view line, std::vector<std::string>& words, ScenarioError& error) {
  words.clear();
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return true;
    std::string word;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) {
        error.message = "a quoted word is not closed";
        return false;
      }
      word.assign(line.substr(i + 1, close - i - 1));
      i = close + 1;
      if (i < line.size() && !IsBlank(line[i])) {
        error.message = "a quoted word must be followed by a blank";
        return false;
      }
    } else {
      while (i < line.size() && !IsBlank(line[i])) {
        if (line[i] == '"') {
          error.message = "a double quote inside a word";
          return false;
        }
        word.push_back(line[i++]);
      }
    }
    words.push_back(std::move(word));
  }
}

std::optional<std::int64_t> ParseNumber(std::string_view word, std::int64_t min, std::int64_t max) {
  bool negative = false;
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    word.remove_prefix(2);
  } else if (!word.empty() && word[0] == '-') {
    negative = true;
    word.remove_prefix(1);
  }
  if (word.empty()) return std::nullopt;
  // Accumulated as a negative number so that the most negative value fits as well.
  std::int64_t value = 0;
  constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
  for (const char c : word) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    if (value < (kLowest + digit) / base) return std::nullopt;
    value = value * base - digit;
  }
  if (!negative) {
    if (value == kLowest) return std::nullopt;
    value = -value;
  }
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<ScenarioLine> ScenarioReader::Next() {
  if (error_) return std::nullopt;
  std::string text;
  while (std::getline(in_, text)) {
    ++lineNumber_;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    ScenarioLine line;
    line.number = lineNumber_;
    ScenarioError error;
    if (!SplitWords(text, line.words, error)) {
      error_ = error;
      return std::nullopt;
    }
    return line;
  }
  return std::nullopt;
}

}  // namespace quellin::sim
