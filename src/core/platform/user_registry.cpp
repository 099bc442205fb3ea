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

// The file's text; nullopt when there is no file yet.
std::optional<std::string> ReadStored(const std::string& path) {
  IoResult<std::string> text = ReadWholeFile(path, kMaxFileSize);
  if (text) return *std::move(text);
  const IoError& error = text.Error();
  if (error.Is(std::errc::no_such_file_or_directory)) return std::nullopt;
  const std::string reason =
      error.Is(std::errc::file_too_large) ? "the file is too large" : error.Reason();
  throw RegistryError(path + ": the settings file cannot be read (" + reason + ")");
}

[[noreturn]] void Unparsable(const std::string& path, const RegistryTextError& error) {
  throw RegistryError(path + ", line " + std::to_string(error.line) + ": " + error.what);
}

}  // namespace

UserRegistry::UserRegistry(std::string filePath) : path_(std::move(filePath)) {
  // Starting empty instead of refusing would lose the user's settings at
  // the next Flush.
  const std::optional<std::string> text = ReadStored(path_);
  if (!text) return;  // first run: nothing stored yet
  if (const std::optional<RegistryTextError> error = ParseRegistryText(*text, *this)) {
    Unparsable(path_, *error);
  }
  edits_.clear();  // what was read is no change
}

void UserRegistry::CreateKey(const std::string& key) {
  RegistryTree::CreateKey(key);
  edits_.push_back({RegistryEdit::Kind::CreateKey, key, {}, {}});
}

void UserRegistry::WriteValue(const std::string& key, const std::string& name,
                              const RegValue& value) {
  RegistryTree::WriteValue(key, name, value);
  edits_.push_back({RegistryEdit::Kind::SetValue, key, name, value});
}

bool UserRegistry::DeleteKey(const std::string& key) {
  const bool deleted = RegistryTree::DeleteKey(key);
  if (deleted) edits_.push_back({RegistryEdit::Kind::DeleteKey, key, {}, {}});
  return deleted;
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
  // The file as it is now, with this run's changes in it: a first file
  // starts with the format's explanation.
  std::string text = ReadStored(path_).value_or(FormatRegistryText(RegistryTree()));
  if (const std::optional<RegistryTextError> error = EditRegistryText(text, edits_)) {
    Unparsable(path_, *error);
  }
  // Settings are the user's own business: new folders are private.
  IoStatus written = MakeFolders(FolderPart(path_), 0700);
  if (written) written = WriteFileAtomically(path_, text);
  if (!written) {
    throw RegistryError(path_ + ": the settings cannot be saved (" + written.Error().Reason() +
                        ")");
  }
  edits_.clear();
}

}  // namespace quilmark::platform
