#include "app/program_files.h"

#include <filesystem>

#include "platform/paths.h"

#ifndef QUILMARK_DATA_FROM_PROGRAM
#error "the build gives the data folder relative to the program's folder"
#endif

namespace quilmark {

std::string InstalledDataFolder(const std::string& programPath) {
  return platform::FullPath(platform::FolderPart(programPath) + QUILMARK_DATA_FROM_PROGRAM) + "/";
}

std::string ProgramFile(const std::string& programPath, const std::string& name) {
  const std::string beside = platform::FolderPart(programPath) + name;
  std::error_code ec;
  if (std::filesystem::is_regular_file(beside, ec)) return beside;
  const std::string installed = InstalledDataFolder(programPath) + name;
  if (std::filesystem::is_regular_file(installed, ec)) return installed;
  return beside;
}

}  // namespace quilmark
