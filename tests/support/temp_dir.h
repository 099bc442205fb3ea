// A fresh folder per test, removed with everything in it afterwards, and
// small file helpers for tests that make their own inputs.
#pragma once

#include <string>
#include <string_view>

namespace quilmark::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, with a trailing "/".
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// Number of entries in a folder (files and folders).
int CountEntries(const std::string& folder);

}  // namespace quilmark::testing
