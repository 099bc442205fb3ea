// What the platform tests share: the scratch-file helpers, and environment
// variables changed for one test and put back afterwards.
#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace quilmark::platform {

using quilmark::testing::Exists;
using quilmark::testing::ReadBytes;
using quilmark::testing::TempDir;
using quilmark::testing::WriteBytes;

// Sets (a value) or unsets (nullopt) variables; the destructor restores them.
class ScopedEnv {
 public:
  ScopedEnv& Set(const std::string& name, const std::optional<std::string>& value) {
    const char* old = std::getenv(name.c_str());
    saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
    value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    return *this;
  }
  ~ScopedEnv() {
    for (const auto& [name, v] : saved_)
      v ? setenv(name.c_str(), v->c_str(), 1) : unsetenv(name.c_str());
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace quilmark::platform
