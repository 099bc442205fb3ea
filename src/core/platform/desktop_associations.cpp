#include "platform/desktop_associations.h"

#include <algorithm>
#include <filesystem>

#include "platform/default_applications.h"
#include "platform/exec_line.h"
#include "platform/file.h"
#include "platform/key_file.h"
#include "platform/mime_database.h"
#include "platform/programs.h"
#include "platform/replacement.h"
#include "platform/xdg_text.h"

namespace quilmark::platform {

namespace fs = std::filesystem;

namespace {

enum class KeyKind { None, Extension, FileType, Shell, Verb, Command };

struct KeyRef {
  KeyKind kind = KeyKind::None;
  std::string name;  // the extension or the MIME type
};

KeyRef ParseKey(const std::string& key) {
  const auto parts = NonEmpty(Split(key, '\\'));
  if (parts.empty()) return {};
  if (parts[0].front() == '.') {
    return parts.size() == 1 ? KeyRef{KeyKind::Extension, AsciiLowerCase(parts[0])} : KeyRef{};
  }
  if (!IsMimeTypeName(parts[0])) return {};
  const std::string mime = AsciiLowerCase(parts[0]);
  static constexpr KeyKind kDepth[] = {KeyKind::FileType, KeyKind::Shell, KeyKind::Verb,
                                       KeyKind::Command};
  static constexpr std::string_view kNames[] = {"", "shell", kVerbKeyName, "command"};
  if (parts.size() > 4) return {};
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!EqualsIgnoringAsciiCase(parts[i], kNames[i])) return {};
  }
  return {kDepth[parts.size() - 1], mime};
}

// "\"<program>\" \"%1\"" (the shell's command-line form) into the program
// and whether the file is passed.
std::optional<std::string> ProgramOfCommandLine(std::string_view commandLine) {
  // The form this program writes; its middle may itself hold quotes.
  constexpr std::string_view kFileArgument = "\" \"%1\"";
  if (commandLine.size() > kFileArgument.size() && commandLine.front() == '"' &&
      commandLine.ends_with(kFileArgument)) {
    return std::string(commandLine.substr(1, commandLine.size() - 1 - kFileArgument.size()));
  }
  std::string_view rest = commandLine;
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  if (rest.empty()) return std::nullopt;
  if (rest.front() == '"') {
    const auto close = rest.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(rest.substr(1, close - 1));
  }
  return std::string(rest.substr(0, rest.find(' ')));
}

// Replaces a key file of the user's (creating its folder), whole or not at all.
void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  if (const IoStatus written = WriteFileAtomically(path, text); !written) {
    throw RegistryError("cannot write " + path + ": " + written.Error().Reason());
  }
}

bool SameTypes(std::vector<std::string> a, std::vector<std::string> b) {
  for (auto* list : {&a, &b}) {
    for (std::string& type : *list) type = AsciiLowerCase(type);
    std::sort(list->begin(), list->end());
  }
  return a == b;
}

}  // namespace

struct DesktopAssociations::Entry {
  bool exists = false;     // the user's own file is there
  bool installed = false;  // the program is installed: a copy of its menu entry
  std::vector<std::string> lines;

  std::vector<std::string> MimeTypes() const {
    // A hidden entry opens nothing, to the desktop.
    if (KeyFileValue(lines, kDesktopEntryGroup, "Hidden") == "true") return {};
    return ListValue(KeyFileValue(lines, kDesktopEntryGroup, "MimeType"));
  }
  bool Lists(std::string_view mime) const {
    const auto types = MimeTypes();
    return std::any_of(types.begin(), types.end(),
                       [&](const std::string& t) { return EqualsIgnoringAsciiCase(t, mime); });
  }
};

DesktopAssociations::DesktopAssociations(Options options) : options_(std::move(options)) {}

std::string DesktopAssociations::EntryPath() const {
  return options_.dirs.dataHome + "/applications/" + std::string(kDesktopEntryFileName);
}

DesktopAssociations::Entry DesktopAssociations::LoadEntry() const {
  Entry entry;
  auto installed = InstalledEntry();
  entry.installed = installed.has_value();
  if (auto lines = ReadTextLines(EntryPath())) {
    entry.exists = true;
    entry.lines = std::move(*lines);
  } else if (installed) {
    entry.lines = std::move(*installed);
  }
  return entry;
}

std::optional<std::vector<std::string>> DesktopAssociations::InstalledEntry() const {
  for (const std::string& dir : options_.dirs.dataDirs) {
    if (auto lines = ReadTextLines(dir + "/applications/" + std::string(kDesktopEntryFileName))) {
      return lines;
    }
  }
  return std::nullopt;
}

void DesktopAssociations::ListType(const std::string& mimeType, bool listed) {
  Entry entry = LoadEntry();
  if (entry.Lists(mimeType) == listed) return;
  if (listed) KeepDefaultApplication(mimeType);
  auto types = entry.MimeTypes();
  if (listed) {
    types.push_back(mimeType);
  } else {
    std::erase_if(types,
                  [&](const std::string& t) { return EqualsIgnoringAsciiCase(t, mimeType); });
  }
  SaveTypes(std::move(entry), types);
}

void DesktopAssociations::SaveTypes(Entry entry, const std::vector<std::string>& types) {
  if (entry.installed) {
    // Everything but the types is the package's, so that the menu item and
    // its command follow the installed program; the package's own types, in
    // any order, leave nothing to override.
    entry.lines = *InstalledEntry();
    if (SameTypes(entry.MimeTypes(), types)) return SaveEntry(entry);
  } else if (!entry.exists) {
    entry.lines = {"[Desktop Entry]",
                   "Type=Application",
                   "Name=" + std::string(kVerbCaption),
                   "Exec=" + EscapeString(QuoteExecArgument(options_.programPath) + " %f"),
                   "NoDisplay=true",
                   "Terminal=false"};
  }
  SetKeyFileValue(entry.lines, kDesktopEntryGroup, "MimeType",
                  types.empty() ? std::nullopt : std::optional<std::string>(JoinList(types)));
  SaveEntry(entry);
}

void DesktopAssociations::SaveEntry(const Entry& entry) {
  const std::string path = EntryPath();
  const bool needed =
      entry.installed ? entry.lines != InstalledEntry() : !entry.MimeTypes().empty();
  std::error_code ec;
  if (!needed) {
    fs::remove(path, ec);
    if (ec) throw RegistryError("cannot remove " + path + ": " + ec.message());
  } else {
    WriteLines(path, entry.lines);
  }
  Refresh();
}

void DesktopAssociations::KeepDefaultApplication(const std::string& mimeType) {
  const auto current = FindDefaultApplication(options_.dirs, mimeType, false);
  if (!current || current->named || current->id == kDesktopEntryFileName) return;
  const std::string path = options_.dirs.configHome + "/mimeapps.list";
  std::vector<std::string> lines = ReadTextLines(path).value_or(std::vector<std::string>{});
  SetKeyFileValue(lines, "Default Applications", AsciiLowerCase(mimeType), current->id);
  WriteLines(path, lines);
}

void DesktopAssociations::Refresh() const {
  if (options_.refreshTool.empty()) return;
  if (const auto tool = FindProgram(options_.refreshTool)) {
    RunAndWait(*tool, {options_.dirs.dataHome + "/applications"});
  }
}

bool DesktopAssociations::KeyExists(const std::string& key) const {
  const KeyRef ref = ParseKey(key);
  switch (ref.kind) {
    case KeyKind::Extension:
      return MimeTypeForExtension(options_.dirs, ref.name).has_value();
    case KeyKind::FileType:
    case KeyKind::Shell:
      return IsKnownMimeType(options_.dirs, ref.name);
    case KeyKind::Verb:
    case KeyKind::Command:
      return LoadEntry().Lists(ref.name);
    case KeyKind::None:
      break;
  }
  return false;
}

std::optional<RegValue> DesktopAssociations::ReadValue(const std::string& key,
                                                       const std::string& name) const {
  if (!name.empty()) return std::nullopt;
  const KeyRef ref = ParseKey(key);
  if (ref.kind == KeyKind::Extension) {
    const auto mime = MimeTypeForExtension(options_.dirs, ref.name);
    if (!mime) return std::nullopt;
    return RegValue::String(*mime);
  }
  if (ref.kind != KeyKind::Verb && ref.kind != KeyKind::Command) return std::nullopt;
  const Entry entry = LoadEntry();
  if (!entry.Lists(ref.name)) return std::nullopt;
  if (ref.kind == KeyKind::Verb) {
    const auto caption = KeyFileValue(entry.lines, kDesktopEntryGroup, "Name");
    if (!caption) return std::nullopt;
    return RegValue::String(UnescapeString(*caption));
  }
  const auto exec = KeyFileValue(entry.lines, kDesktopEntryGroup, "Exec");
  if (!exec) return std::nullopt;
  const auto args = SplitExec(UnescapeString(*exec));
  if (!args || args->empty()) return std::nullopt;
  std::string commandLine = "\"" + args->front() + "\"";
  for (std::size_t i = 1; i < args->size(); ++i) {
    const std::string& arg = (*args)[i];
    commandLine +=
        " \"" + (arg == "%f" || arg == "%F" || arg == "%u" || arg == "%U" ? "%1" : arg) + "\"";
  }
  return RegValue::String(commandLine);
}

void DesktopAssociations::CreateKey(const std::string& key) {
  const KeyRef ref = ParseKey(key);
  if (ref.kind == KeyKind::Verb || ref.kind == KeyKind::Command) {
    ListType(ref.name, true);
    return;
  }
  // Keys owned by the system: present is fine, anything else is not ours to make.
  if (ref.kind != KeyKind::None && KeyExists(key)) return;
  throw RegistryError("cannot create the key " + key + " in the desktop's file associations");
}

void DesktopAssociations::WriteValue(const std::string& key, const std::string& name,
                                     const RegValue& value) {
  const KeyRef ref = ParseKey(key);
  if (!name.empty() || value.type != RegType::Sz ||
      (ref.kind != KeyKind::Verb && ref.kind != KeyKind::Command)) {
    throw RegistryError("cannot write the value \"" + name + "\" of " + key +
                        " in the desktop's file associations");
  }
  CreateKey(key);
  Entry entry = LoadEntry();
  if (entry.installed) {
    // Named and started as the package says: the user's copy is made again
    // from the installed entry, which also mends a copy from an older one.
    const auto types = entry.MimeTypes();
    return SaveTypes(std::move(entry), types);
  }
  if (ref.kind == KeyKind::Verb) {
    SetKeyFileValue(entry.lines, kDesktopEntryGroup, "Name", EscapeString(value.text));
  } else {
    const auto program = ProgramOfCommandLine(value.text);
    if (!program || program->empty()) {
      throw RegistryError("cannot use the command line " + value.text);
    }
    SetKeyFileValue(entry.lines, kDesktopEntryGroup, "Exec",
                    EscapeString(QuoteExecArgument(*program) + " %f"));
  }
  SaveEntry(entry);
}

bool DesktopAssociations::DeleteKey(const std::string& key) {
  const KeyRef ref = ParseKey(key);
  if (ref.kind != KeyKind::Verb) {
    throw RegistryError("cannot delete the key " + key + " in the desktop's file associations");
  }
  if (!LoadEntry().Lists(ref.name)) return false;
  ListType(ref.name, false);
  return true;
}

}  // namespace quilmark::platform
