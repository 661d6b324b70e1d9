// icongen OUTPUT_DIR: writes the icon set (<name>.ico), the logo (logo.bmp) and PNG copies
// for the documents (png/<name>.png at 32 pixels, png/<name>_16.png, png/logo.png).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/icongen/art.h"
#include "tools/icongen/formats.h"

namespace {

void WriteFile(const std::filesystem::path& path, const icongen::Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

void Generate(const std::filesystem::path& out) {
  const std::filesystem::path png = out / "png";
  std::filesystem::create_directories(png);
  for (const icongen::IconEntry& entry : icongen::IconSet()) {
    std::vector<icongen::Image> images;
    for (int size : icongen::kIconSizes) images.push_back(icongen::Draw(entry.picture, size));
    const std::string name(entry.name);
    WriteFile(out / (name + ".ico"), icongen::EncodeIco(images));
    WriteFile(png / (name + ".png"), icongen::EncodePng(icongen::Draw(entry.picture, icongen::kBaseSize)));
    WriteFile(png / (name + "_16.png"), icongen::EncodePng(icongen::Draw(entry.picture, 16)));
  }
  const icongen::Image logo = icongen::DrawLogo();
  WriteFile(out / "logo.bmp", icongen::EncodeBmp(logo, icongen::LogoPalette()));
  WriteFile(png / "logo.png", icongen::EncodePng(logo));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTPUT_DIR\n");
    return 2;
  }
  try {
    Generate(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "icongen: %s\n", e.what());
    return 1;
  }
  return 0;
}
