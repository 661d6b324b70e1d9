#pragma once

namespace quellin {

enum class TrayRequest { Add = 0, Modify = 1, Delete = 2 };  // NIM_ADD, NIM_MODIFY, NIM_DELETE

// The notification area, for the program's one icon (id 42, callback 1025 to the
// settings window). Answers are the shell's: true when it accepted the request.
class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // iconId is a resource id of the icon set; with Delete it is 0.
  virtual bool SendIcon(TrayRequest request, int iconId) = 0;
  // `tip` is at most 63 characters and zero-terminated, as the shell's record holds it.
  virtual bool SendTip(const char* tip) = 0;
};

}  // namespace quellin
