// quellin-regscript register|unregister SCRIPT [--store FILE] [--module PATH]
// Runs a registration script file, as the program's resource would carry it, against a
// registry tree in memory, and prints the result code and the tree that it leaves.
#include <cstdio>
#include <iostream>
#include <string>

#include "alerts/regscript/code_page.h"
#include "alerts/regscript/memory_store.h"
#include "alerts/regscript/registry_script.h"
#include "alerts/regscript/store_text.h"

namespace {

using namespace quellin::regscript;

constexpr int kToolFailed = 2;
constexpr const char* kDefaultModule = "C:\\Program Files\\Quellin\\Quellin.exe";
constexpr const char* kUsage = "usage: quellin-regscript register|unregister SCRIPT [--store FILE] [--module PATH]\n";

int Refuse(const std::string& message) {
  std::cerr << "quellin-regscript: " << message << '\n';
  return kToolFailed;
}

// The whole file, or false when it cannot be read (a directory included).
bool ReadFile(const std::string& path, std::string* bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  std::size_t got = 0;
  bytes->clear();
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Refuse(std::string("missing arguments\n") + kUsage);
  const std::string pass = argv[1];
  if (pass != "register" && pass != "unregister") return Refuse("the pass is register or unregister\n" + std::string(kUsage));
  const std::string scriptPath = argv[2];
  std::string storePath;
  std::string modulePath = kDefaultModule;
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    if ((option == "--store" || option == "--module") && i + 1 < argc) {
      (option == "--store" ? storePath : modulePath) = argv[++i];
    } else {
      return Refuse("unknown argument " + option + "\n" + kUsage);
    }
  }

  std::string script;
  if (!ReadFile(scriptPath, &script)) return Refuse("cannot read " + scriptPath);
  const CodePage& codePage = SingleByteCodePage();
  MemoryStore store;
  if (!storePath.empty()) {
    std::string storeText;
    if (!ReadFile(storePath, &storeText)) return Refuse("cannot read " + storePath);
    std::string error;
    if (!ReadStoreText(storeText, store, &error)) return Refuse(storePath + ": " + error);
  }

  CRegistryScript run(store, codePage);
  AddModuleReplacement(run.replacements(), codePage.ToUtf16(modulePath));
  const Result result = run.RunScript(script, pass == "register");

  char line[32];
  std::snprintf(line, sizeof line, "result 0x%08x\n", static_cast<unsigned>(result));
  std::cout << line << WriteStoreText(store);
  return 0;
}
