#include "alerts/regscript/win32/run_registration_script.h"

#include <windows.h>

#include <array>
#include <string>

#include "alerts/regscript/registry_script.h"
#include "alerts/regscript/win32/win32_code_page.h"
#include "alerts/regscript/win32/win32_registry_store.h"

// The image base of the module this code is linked into (provided by the linker).
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace quellin::regscript::win32 {
namespace {

constexpr DWORD kPathBuffer = 260;

// A program file loaded only for its resources; no code of it runs.
class DataModule {
 public:
  explicit DataModule(const std::string& path)
      : module_(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~DataModule() {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  DataModule(const DataModule&) = delete;
  DataModule& operator=(const DataModule&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

// The converted system error of a failed call; a call that failed without saying why still
// fails, so that a script that never ran is not reported as run.
Result LastError() {
  const Result converted = FromSystemError(static_cast<std::int32_t>(::GetLastError()));
  return Failed(converted) ? converted : result::Fail;
}

class ModuleResources final : public ScriptResources {
 public:
  Result LoadScript(const std::string& modulePath, std::uint16_t id, const std::string& type,
                    std::string* bytes) override {
    const DataModule module(modulePath);
    if (module.get() == nullptr) return LastError();
    HRSRC found = ::FindResourceA(module.get(), MAKEINTRESOURCEA(id), type.c_str());
    if (found == nullptr) return LastError();
    HGLOBAL loaded = ::LoadResource(module.get(), found);
    if (loaded == nullptr) return LastError();
    const DWORD size = ::SizeofResource(module.get(), found);
    const auto* data = static_cast<const char*>(::LockResource(loaded));
    if (data == nullptr) return LastError();
    bytes->assign(data, size);
    return result::Ok;
  }
};

}  // namespace

Result RunRegistrationScript(std::uint16_t resourceId, bool registerPass, const ReplacementPair* extraPairs) {
  const Win32CodePage codePage;
  Win32RegistryStore store;
  CRegistryScript script(store, codePage);

  const auto instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
  std::array<char, kPathBuffer + 1> path{};  // one more: a full buffer may lack its NUL
  ::GetModuleFileNameA(instance, path.data(), kPathBuffer);
  std::string modulePath = path.data();
  if (instance == ::GetModuleHandleA(nullptr)) {
    // The program's own file goes by its short form; a shared library keeps its long path.
    std::array<char, kPathBuffer + 1> shortPath{};
    const DWORD length = ::GetShortPathNameA(modulePath.c_str(), shortPath.data(), kPathBuffer);
    if (length != 0 && length != ERROR_INVALID_PARAMETER) {
      if (length >= kPathBuffer) {
        script.replacements().Clear();
        return result::OutOfMemory;
      }
      modulePath = shortPath.data();
    }
  }
  const std::u16string widePath = codePage.ToUtf16(modulePath);
  AddModuleReplacement(script.replacements(), widePath);
  for (const ReplacementPair* pair = extraPairs; pair != nullptr && pair->name != nullptr; ++pair) {
    script.replacements().AddReplacement(pair->name, pair->value != nullptr ? pair->value : u"");
  }
  ModuleResources resources;
  const Result r = script.RunScriptResource(resources, widePath, resourceId, kScriptResourceType, registerPass);
  script.replacements().Clear();
  return r;
}

}  // namespace quellin::regscript::win32
