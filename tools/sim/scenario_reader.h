#pragma once
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellin::sim {

// A scenario line that is not well formed, with the message that names what is wrong.
struct ScenarioError {
  std::string message;
};

// One command of a scenario: its words, and the line it came from for messages.
struct ScenarioLine {
  int number = 0;
  std::vector<std::string> words;
};

// Splits a line into words: blanks separate them, a word in double quotes may hold blanks
// ("" is an empty word). False with `error` set when a quote is left open or stands inside
// a word.
bool SplitWords(std::string_view line, std::vector<std::string>& words, ScenarioError& error);

// Decimal (optionally signed) or 0x hexadecimal; nothing when the word is no such number or
// lies outside [min, max].
std::optional<std::int64_t> ParseNumber(std::string_view word, std::int64_t min, std::int64_t max);

// Reads a scenario from a stream one command at a time, skipping empty lines and comments.
class ScenarioReader {
 public:
  explicit ScenarioReader(std::istream& in) : in_(in) {}
  // The next command, or nothing at the end of the input or at a malformed line (then
  // `error` is set and the reader stops).
  std::optional<ScenarioLine> Next();
  const std::optional<ScenarioError>& error() const { return error_; }
  int lineNumber() const { return lineNumber_; }

 private:
  std::istream& in_;
  int lineNumber_ = 0;
  std::optional<ScenarioError> error_;
};

}  // namespace quellin::sim
