// Other programs: finding one on PATH, and running one to its end.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quilmark::platform {

// A program name resolved against PATH (a name holding "/" is taken as it
// is); nullopt when no executable file is found.
std::optional<std::string> FindProgram(const std::string& name);

// Runs `program` (a path) with `arguments` and waits for it to end; false
// when it could not be started.
bool RunAndWait(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace quilmark::platform
