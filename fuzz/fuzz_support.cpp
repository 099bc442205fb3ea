#include "fuzz_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quilmark::fuzz {

namespace {

struct Scratch {
  Scratch() {
    // A RAM-backed folder where there is one: the targets write a file per
    // input.
    const std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/quilmark-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
    path = pattern + "/";
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + name;
  std::error_code ec;
  std::filesystem::remove(path, ec);  // a read-only one from the last input
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Broken("the scratch file cannot be written");
  return path;
}

std::string ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace quilmark::fuzz
