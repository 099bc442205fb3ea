// What the fuzz targets share: a private scratch folder for the files a
// target must hand the code by name, and the check that stops the run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quilmark::fuzz {

// A folder of this process's own, removed at exit.
const std::string& ScratchFolder();

// Writes `bytes` to a file in the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

std::string ReadScratchFile(const std::string& path);

// A broken promise: reported, and the run stops (libFuzzer keeps the input).
[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace quilmark::fuzz
