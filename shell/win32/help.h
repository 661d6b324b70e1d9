#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "resources/product.h"
#include "shell/win32/handles.h"

namespace quellin::win32 {

// The platform operations that help needs, so that tests can stand in for them.
class HelpPlatform {
 public:
  virtual ~HelpPlatform() = default;
  // The program file's full path (GetModuleFileNameA into 261 characters).
  virtual std::string ModulePath() = 0;
  // The help control's recorded location: the default value of its InprocServer32 key.
  virtual std::optional<std::string> RecordedRuntimeLocation() = 0;
  virtual Library LoadRuntime(const char* pathOrName) = 0;
  virtual FARPROC EntryByOrdinal(HMODULE runtime, WORD ordinal) = 0;
  // Hands a path or web address to the shell's "open" verb.
  virtual void OpenDocument(const std::string& target) = 0;
};

// The real operations.
class Win32HelpPlatform final : public HelpPlatform {
 public:
  std::string ModulePath() override;
  std::optional<std::string> RecordedRuntimeLocation() override;
  Library LoadRuntime(const char* pathOrName) override;
  FARPROC EntryByOrdinal(HMODULE runtime, WORD ordinal) override;
  void OpenDocument(const std::string& target) override;
};

using HtmlHelpFunction = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

// The help file beside the program, else the readme page beside it; never a message.
// The HTML Help viewer is not linked: it is bound on the first request and kept for the
// run, and a failure to bind is remembered so that later requests go straight to the
// readme page.
class Help {
 public:
  explicit Help(HelpPlatform& platform) : platform_(platform) {}
  void ShowHelp(HWND owner);
  // HtmlHelpA through the binding; null when the viewer cannot show the file.
  HWND HtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data);

  static constexpr const char* kHelpFile = "quellin.chm";
  static constexpr const char* kReadme = "readme.htm";
  static constexpr const char* kProductPage = QUELLIN_WEB_URL;

 private:
  HelpPlatform& platform_;
  Library viewer_;
  HtmlHelpFunction entry_ = nullptr;
  bool failed_ = false;
};

}  // namespace quellin::win32
