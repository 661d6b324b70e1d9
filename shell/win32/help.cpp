#include "shell/win32/help.h"

#include <shellapi.h>

namespace quellin::win32 {
namespace {

constexpr const char* kHelpControlKey = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr const char* kRuntimeFileName = "hhctrl.ocx";
constexpr WORD kHtmlHelpAOrdinal = 14;
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr DWORD kModulePathSize = 261;
constexpr DWORD kLocationSize = 260;

}  // namespace

std::string Win32HelpPlatform::ModulePath() {
  char path[kModulePathSize] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, kModulePathSize);
  // A path cut to the buffer is no path at all.
  if (n == 0 || n >= kModulePathSize) return {};
  return std::string(path, n);
}

std::optional<std::string> Win32HelpPlatform::RecordedRuntimeLocation() {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kHelpControlKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) return std::nullopt;
  const RegistryKey key(raw);
  char location[kLocationSize + 1] = {};
  DWORD size = kLocationSize;
  DWORD type = 0;
  if (::RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(location), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // The stored string need not end with a zero; the extra byte of the buffer ends it.
  location[size < kLocationSize ? size : kLocationSize] = '\0';
  if (location[0] == '\0') return std::nullopt;
  return std::string(location);
}

Library Win32HelpPlatform::LoadRuntime(const char* pathOrName) { return Library(::LoadLibraryA(pathOrName)); }

FARPROC Win32HelpPlatform::EntryByOrdinal(HMODULE runtime, WORD ordinal) {
  return ::GetProcAddress(runtime, MAKEINTRESOURCEA(ordinal));
}

void Win32HelpPlatform::OpenDocument(const std::string& target) {
  ::ShellExecuteA(::GetDesktopWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

HWND Help::HtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data) {
  if (!viewer_ && !failed_) {
    if (const auto location = platform_.RecordedRuntimeLocation()) viewer_ = platform_.LoadRuntime(location->c_str());
    if (!viewer_) viewer_ = platform_.LoadRuntime(kRuntimeFileName);
    if (!viewer_) {
      failed_ = true;
      return nullptr;
    }
  }
  if (failed_) return nullptr;
  if (entry_ == nullptr) {
    entry_ = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(platform_.EntryByOrdinal(viewer_.get(), kHtmlHelpAOrdinal)));
    if (entry_ == nullptr) {
      failed_ = true;
      return nullptr;
    }
  }
  return entry_(owner, file, command, data);
}

void Help::ShowHelp(HWND owner) {
  const std::string path = platform_.ModulePath();
  const auto slash = path.rfind('\\');
  if (slash == std::string::npos) {
    platform_.OpenDocument(kProductPage);
    return;
  }
  const std::string directory = path.substr(0, slash + 1);
  const std::string helpFile = directory + kHelpFile;
  if (HtmlHelp(owner, helpFile.c_str(), kDisplayTopic, 0) != nullptr) return;
  platform_.OpenDocument(directory + kReadme);
}

}  // namespace quellin::win32
