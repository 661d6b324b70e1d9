#include "shell/win32/win32_texts.h"

#include <cstdarg>

#include "shell/win32/handles.h"

namespace quellin::win32 {
namespace {

constexpr int kLoadBufferSize = 512;
// FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING: the text is the format.
constexpr DWORD kFormatFlags = 0x500;
static_assert(kFormatFlags == (FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING));
// The table's texts have at most two inserts; more values than this are not passed on.
constexpr std::size_t kMaxInserts = 8;

// FormatMessageA wants the inserts as a variable argument list, not as an array.
DWORD FormatWithInserts(const char* format, char** out, ...) {
  va_list args;
  va_start(args, out);
  const DWORD n = ::FormatMessageA(kFormatFlags, format, 0, 0, reinterpret_cast<char*>(out), 0, &args);
  va_end(args);
  return n;
}

}  // namespace

std::string ResourceTexts::LoadText(std::uint16_t id) const {
  char buffer[kLoadBufferSize] = {};
  const int n = ::LoadStringA(module_, id, buffer, kLoadBufferSize);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<std::size_t>(n < kLoadBufferSize ? n : kLoadBufferSize - 1));
}

std::string ResourceTexts::FormatText(std::uint16_t id, std::initializer_list<std::int32_t> values) const {
  const std::string format = LoadText(id);
  if (format.empty()) return {};
  std::int32_t v[kMaxInserts] = {};
  std::size_t i = 0;
  for (std::int32_t value : values) {
    if (i == kMaxInserts) break;
    v[i++] = value;
  }
  // Unused slots are passed as 0: an insert number without a value then reads a zero
  // rather than whatever lies on the stack.
  char* buffer = nullptr;
  const DWORD n = FormatWithInserts(format.c_str(), &buffer, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
  const LocalMemory owner(buffer);
  if (n == 0 || buffer == nullptr) return {};
  return std::string(buffer);
}

}  // namespace quellin::win32
