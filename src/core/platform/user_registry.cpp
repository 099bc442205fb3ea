#include "platform/user_registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/registry_text.h"
#include "platform/replacement.h"

namespace quilmark::platform {

namespace {

// Larger than any settings file could honestly be; a bigger one is not ours.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{16} << 20;

}  // namespace

UserRegistry::UserRegistry(std::string filePath) : path_(std::move(filePath)) {
  IoResult<std::string> text = ReadWholeFile(path_, kMaxFileSize);
  if (!text) {
    const IoError& error = text.Error();
    if (error.Is(std::errc::no_such_file_or_directory)) return;  // first run: nothing stored yet
    const std::string reason =
        error.Is(std::errc::file_too_large) ? "the file is too large" : error.Reason();
    // Starting empty instead would lose the user's settings at the next Flush.
    throw RegistryError(path_ + ": the settings file cannot be read (" + reason + ")");
  }
  if (const std::optional<RegistryTextError> error = ParseRegistryText(*text, *this)) {
    throw RegistryError(path_ + ", line " + std::to_string(error->line) + ": " + error->what);
  }
}

std::string UserRegistry::DefaultPath() {
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is to be ignored: it would move with the
  // working folder.
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string homeDir = home && *home ? home : "";
    if (homeDir.empty()) {
      if (const passwd* user = getpwuid(getuid())) homeDir = user->pw_dir;
    }
    config = homeDir + "/.config";
  }
  while (config.size() > 1 && config.back() == '/') config.pop_back();
  return config + "/quilmark/registry.txt";
}

void UserRegistry::Flush() {
  std::string folder = FolderPart(path_);
  // Settings are the user's own business: new folders are private.
  IoStatus written = MakeFolders(folder, 0700);
  if (written) written = WriteFileAtomically(path_, FormatRegistryText(*this));
  if (written) return;
  throw RegistryError(path_ + ": the settings cannot be saved (" + written.Error().Reason() + ")");
}

}  // namespace quilmark::platform
