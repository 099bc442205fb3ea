#include "platform/desktop_associations.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/file.h"
#include "platform/replacement.h"

extern char** environ;

namespace quilmark::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEntryGroup = "Desktop Entry";
// Files we read are small; anything bigger is not a file of this kind.
constexpr std::uintmax_t kMaxTextFile = 16 * 1024 * 1024;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::vector<std::string> NonEmpty(std::vector<std::string> parts) {
  std::erase_if(parts, [](const std::string& s) { return s.empty(); });
  return parts;
}

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return std::string(s.substr(first, last - first + 1));
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec || size > kMaxTextFile) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string EnvOr(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

// --- Key files (desktop entries, mimeapps.list) ----------------------------

// The value of `key` in `group`, raw (not unescaped).
std::optional<std::string> KeyFileValue(const std::vector<std::string>& lines,
                                        std::string_view group, std::string_view key) {
  bool inGroup = false;
  for (const std::string& line : lines) {
    if (!line.empty() && line.front() == '[') {
      inGroup = line == "[" + std::string(group) + "]";
      continue;
    }
    if (!inGroup || line.empty() || line.front() == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (Trim(std::string_view(line).substr(0, eq)) == key) {
      return Trim(std::string_view(line).substr(eq + 1));
    }
  }
  return std::nullopt;
}

// Replaces (or adds, or with nullopt removes) `key` in `group`, leaving every
// other line as it was.
void SetKeyFileValue(std::vector<std::string>& lines, std::string_view group, std::string_view key,
                     const std::optional<std::string>& value) {
  const std::string header = "[" + std::string(group) + "]";
  auto groupStart = std::find(lines.begin(), lines.end(), header);
  if (groupStart == lines.end()) {
    if (!value) return;
    lines.insert(lines.begin(), header);
    groupStart = lines.begin();
  }
  auto it = groupStart + 1;
  for (; it != lines.end() && (it->empty() || it->front() != '['); ++it) {
    const auto eq = it->find('=');
    if (it->empty() || it->front() == '#' || eq == std::string::npos) continue;
    if (Trim(std::string_view(*it).substr(0, eq)) != key) continue;
    if (value) {
      *it = std::string(key) + "=" + *value;
    } else {
      lines.erase(it);
    }
    return;
  }
  if (!value) return;
  // Before the blank lines that close the group.
  auto insertAt = it;
  while (insertAt != groupStart + 1 && (insertAt - 1)->empty()) --insertAt;
  lines.insert(insertAt, std::string(key) + "=" + *value);
}

// Desktop entry string escapes: \s \n \t \r \\.
std::string UnescapeString(std::string_view raw) {
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\' || i + 1 == raw.size()) {
      out += raw[i];
      continue;
    }
    switch (raw[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += raw[i];
        break;
    }
  }
  return out;
}

std::string EscapeString(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

// A semicolon-separated list value.
std::vector<std::string> ListValue(const std::optional<std::string>& raw) {
  return raw ? NonEmpty(Split(*raw, ';')) : std::vector<std::string>{};
}

std::string JoinList(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += item + ";";
  return out;
}

// --- The MIME database ------------------------------------------------------

struct Glob {
  int weight = 50;
  std::string mimeType;
  std::string pattern;
  bool caseSensitive = false;
};

// Globs of all data folders, highest precedence first. A "__NOGLOBS__" line
// drops what less important folders say about that type.
std::vector<Glob> LoadGlobs(const XdgDirs& dirs) {
  std::vector<Glob> globs;
  std::vector<std::string> cleared;
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto lines = ReadLines(dir + "/mime/globs2");
    if (!lines) continue;
    std::vector<std::string> clearedHere;
    for (const std::string& line : *lines) {
      if (line.empty() || line.front() == '#') continue;
      const auto fields = Split(line, ':');
      if (fields.size() < 3) continue;
      Glob glob;
      try {
        glob.weight = std::stoi(fields[0]);
      } catch (...) {
        continue;
      }
      glob.mimeType = fields[1];
      glob.pattern = fields[2];
      if (std::find(cleared.begin(), cleared.end(), glob.mimeType) != cleared.end()) continue;
      if (glob.pattern == "__NOGLOBS__") {
        clearedHere.push_back(glob.mimeType);
        continue;
      }
      if (fields.size() > 3) {
        for (const std::string& flag : Split(fields[3], ',')) {
          if (flag == "cs") glob.caseSensitive = true;
        }
      }
      globs.push_back(std::move(glob));
    }
    cleared.insert(cleared.end(), clearedHere.begin(), clearedHere.end());
  }
  return globs;
}

bool IsMimeTypeName(std::string_view s) {
  const auto slash = s.find('/');
  if (slash == std::string_view::npos || slash == 0 || slash + 1 == s.size()) return false;
  if (s.find('/', slash + 1) != std::string_view::npos) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/+-._").find(c) != std::string_view::npos;
  });
}

// --- Keys ------------------------------------------------------------------

enum class KeyKind { None, Extension, FileType, Shell, Verb, Command };

struct KeyRef {
  KeyKind kind = KeyKind::None;
  std::string name;  // the extension or the MIME type
};

KeyRef ParseKey(const std::string& key) {
  const auto parts = NonEmpty(Split(key, '\\'));
  if (parts.empty()) return {};
  if (parts[0].front() == '.') {
    return parts.size() == 1 ? KeyRef{KeyKind::Extension, Lower(parts[0])} : KeyRef{};
  }
  if (!IsMimeTypeName(parts[0])) return {};
  const std::string mime = Lower(parts[0]);
  static constexpr KeyKind kDepth[] = {KeyKind::FileType, KeyKind::Shell, KeyKind::Verb,
                                       KeyKind::Command};
  static constexpr std::string_view kNames[] = {"", "shell", kVerbKeyName, "command"};
  if (parts.size() > 4) return {};
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!EqualsIgnoringCase(parts[i], kNames[i])) return {};
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

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string FileUri(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (unsigned char c : path) {
    const bool plain =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        std::string_view("/-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

// The file of desktop id `id` in the applications folders, if installed and
// not hidden.
std::optional<std::string> FindDesktopEntry(const XdgDirs& dirs, const std::string& id,
                                            bool skipOwn) {
  if (id.empty() || id.find('/') != std::string::npos || (skipOwn && id == kDesktopEntryFileName)) {
    return std::nullopt;
  }
  for (const std::string& dir : dirs.DataSearchPath()) {
    const std::string path = dir + "/applications/" + id;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) continue;
    const auto lines = ReadLines(path);
    if (!lines) return std::nullopt;
    // The first folder that has the id decides, even when it hides it.
    if (KeyFileValue(*lines, kEntryGroup, "Hidden") == "true") return std::nullopt;
    return path;
  }
  return std::nullopt;
}

std::vector<std::string> MimeAppsLists(const XdgDirs& dirs) {
  std::vector<std::string> files;
  auto add = [&](const std::string& dir) {
    for (const std::string& desktop : dirs.currentDesktops) {
      files.push_back(dir + "/" + desktop + "-mimeapps.list");
    }
    files.push_back(dir + "/mimeapps.list");
  };
  add(dirs.configHome);
  for (const std::string& dir : dirs.configDirs) add(dir);
  add(dirs.dataHome + "/applications");
  for (const std::string& dir : dirs.dataDirs) add(dir + "/applications");
  return files;
}

}  // namespace

// --- XdgDirs -----------------------------------------------------------------

XdgDirs XdgDirs::FromEnvironment() {
  const std::string home = EnvOr("HOME", "/");
  XdgDirs dirs;
  dirs.dataHome = EnvOr("XDG_DATA_HOME", home + "/.local/share");
  dirs.dataDirs = NonEmpty(Split(EnvOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), ':'));
  dirs.configHome = EnvOr("XDG_CONFIG_HOME", home + "/.config");
  dirs.configDirs = NonEmpty(Split(EnvOr("XDG_CONFIG_DIRS", "/etc/xdg"), ':'));
  for (const std::string& desktop : NonEmpty(Split(EnvOr("XDG_CURRENT_DESKTOP", ""), ':'))) {
    dirs.currentDesktops.push_back(Lower(desktop));
  }
  return dirs;
}

std::vector<std::string> XdgDirs::DataSearchPath() const {
  std::vector<std::string> path{dataHome};
  path.insert(path.end(), dataDirs.begin(), dataDirs.end());
  return path;
}

// --- MIME database -------------------------------------------------------------

std::optional<std::string> MimeTypeForExtension(const XdgDirs& dirs, std::string_view extension) {
  if (extension.empty() || extension.front() != '.') return std::nullopt;
  const std::string pattern = "*" + std::string(extension);
  const Glob* best = nullptr;
  const std::vector<Glob> globs = LoadGlobs(dirs);
  for (const Glob& glob : globs) {
    const bool match =
        glob.caseSensitive ? glob.pattern == pattern : EqualsIgnoringCase(glob.pattern, pattern);
    if (match && (best == nullptr || glob.weight > best->weight)) best = &glob;
  }
  if (best == nullptr) return std::nullopt;
  return best->mimeType;
}

bool IsKnownMimeType(const XdgDirs& dirs, std::string_view mimeType) {
  if (!IsMimeTypeName(mimeType)) return false;
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto types = ReadLines(dir + "/mime/types");
    if (types && std::any_of(types->begin(), types->end(), [&](const std::string& t) {
          return EqualsIgnoringCase(t, mimeType);
        })) {
      return true;
    }
  }
  const std::vector<Glob> globs = LoadGlobs(dirs);
  return std::any_of(globs.begin(), globs.end(),
                     [&](const Glob& g) { return EqualsIgnoringCase(g.mimeType, mimeType); });
}

// --- The HKEY_CLASSES_ROOT backend ---------------------------------------------

namespace {

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
    for (std::string& type : *list) type = Lower(type);
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
    if (KeyFileValue(lines, kEntryGroup, "Hidden") == "true") return {};
    return ListValue(KeyFileValue(lines, kEntryGroup, "MimeType"));
  }
  bool Lists(std::string_view mime) const {
    const auto types = MimeTypes();
    return std::any_of(types.begin(), types.end(),
                       [&](const std::string& t) { return EqualsIgnoringCase(t, mime); });
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
  if (auto lines = ReadLines(EntryPath())) {
    entry.exists = true;
    entry.lines = std::move(*lines);
  } else if (installed) {
    entry.lines = std::move(*installed);
  }
  return entry;
}

std::optional<std::vector<std::string>> DesktopAssociations::InstalledEntry() const {
  for (const std::string& dir : options_.dirs.dataDirs) {
    if (auto lines = ReadLines(dir + "/applications/" + std::string(kDesktopEntryFileName))) {
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
    std::erase_if(types, [&](const std::string& t) { return EqualsIgnoringCase(t, mimeType); });
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
  SetKeyFileValue(entry.lines, kEntryGroup, "MimeType",
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
  std::vector<std::string> lines = ReadLines(path).value_or(std::vector<std::string>{});
  SetKeyFileValue(lines, "Default Applications", Lower(mimeType), current->id);
  WriteLines(path, lines);
}

void DesktopAssociations::Refresh() const {
  if (options_.refreshTool.empty()) return;
  const auto tool = FindProgram(options_.refreshTool);
  if (!tool) return;
  const std::string folder = options_.dirs.dataHome + "/applications";
  std::vector<char*> argv{const_cast<char*>(tool->c_str()), const_cast<char*>(folder.c_str()),
                          nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, tool->c_str(), nullptr, nullptr, argv.data(), environ) != 0) return;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
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
    const auto caption = KeyFileValue(entry.lines, kEntryGroup, "Name");
    if (!caption) return std::nullopt;
    return RegValue::String(UnescapeString(*caption));
  }
  const auto exec = KeyFileValue(entry.lines, kEntryGroup, "Exec");
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
    SetKeyFileValue(entry.lines, kEntryGroup, "Name", EscapeString(value.text));
  } else {
    const auto program = ProgramOfCommandLine(value.text);
    if (!program || program->empty()) {
      throw RegistryError("cannot use the command line " + value.text);
    }
    SetKeyFileValue(entry.lines, kEntryGroup, "Exec",
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

std::vector<std::string> DesktopAssociations::SubKeys(const std::string& key) const {
  if (!KeyExists(key)) return {};
  switch (ParseKey(key).kind) {
    case KeyKind::FileType:
      return {"shell"};
    case KeyKind::Shell:
      return KeyExists(key + "\\" + std::string(kVerbKeyName))
                 ? std::vector<std::string>{std::string(kVerbKeyName)}
                 : std::vector<std::string>{};
    case KeyKind::Verb:
      return {"command"};
    default:
      return {};
  }
}

// --- Default applications ---------------------------------------------------------

std::optional<DefaultApplication> FindDefaultApplication(const XdgDirs& dirs,
                                                         std::string_view mimeType, bool skipOwn) {
  const std::string mime = Lower(mimeType);
  auto firstInstalled = [&](const std::vector<std::string>& ids,
                            bool named) -> std::optional<DefaultApplication> {
    for (const std::string& id : ids) {
      if (auto path = FindDesktopEntry(dirs, id, skipOwn)) {
        return DefaultApplication{id, *path, named};
      }
    }
    return std::nullopt;
  };
  const std::vector<std::string> lists = MimeAppsLists(dirs);
  for (const char* group : {"Default Applications", "Added Associations"}) {
    for (const std::string& list : lists) {
      const auto lines = ReadLines(list);
      if (!lines) continue;
      const bool named = std::string_view(group) == "Default Applications";
      if (auto app = firstInstalled(ListValue(KeyFileValue(*lines, group, mime)), named)) {
        return app;
      }
    }
  }
  for (const std::string& dir : dirs.DataSearchPath()) {
    const auto lines = ReadLines(dir + "/applications/mimeinfo.cache");
    if (!lines) continue;
    if (auto app = firstInstalled(ListValue(KeyFileValue(*lines, "MIME Cache", mime)), false)) {
      return app;
    }
  }
  return std::nullopt;
}

std::optional<std::string> DefaultApplicationEntry(const XdgDirs& dirs, std::string_view mimeType) {
  auto app = FindDefaultApplication(dirs, mimeType, true);
  if (!app) return std::nullopt;
  return std::move(app->path);
}

std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == ' ' || c == '\t') {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else if (c == '"') {
      inArgument = true;
      bool closed = false;
      for (++i; i < exec.size(); ++i) {
        if (exec[i] == '"') {
          closed = true;
          break;
        }
        if (exec[i] == '\\' && i + 1 < exec.size() &&
            std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
          ++i;
        }
        current += exec[i];
      }
      if (!closed) return std::nullopt;
    } else {
      inArgument = true;
      current += c;
    }
  }
  if (inArgument) args.push_back(std::move(current));
  return args;
}

std::string QuoteExecArgument(std::string_view argument) {
  std::string out = "\"";
  for (char c : argument) {
    if (std::string_view("\"`$\\").find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out + "\"";
}

std::optional<std::vector<std::string>> CommandForFile(const std::string& entryPath,
                                                       const std::string& filePath) {
  const auto lines = ReadLines(entryPath);
  if (!lines) return std::nullopt;
  const auto exec = KeyFileValue(*lines, kEntryGroup, "Exec");
  if (!exec) return std::nullopt;
  const auto tokens = SplitExec(UnescapeString(*exec));
  if (!tokens || tokens->empty()) return std::nullopt;

  std::vector<std::string> args;
  bool fileGiven = false;
  for (const std::string& token : *tokens) {
    if (token == "%f" || token == "%F") {
      args.push_back(filePath);
      fileGiven = true;
    } else if (token == "%u" || token == "%U") {
      args.push_back(FileUri(filePath));
      fileGiven = true;
    } else if (token == "%i") {
      if (auto icon = KeyFileValue(*lines, kEntryGroup, "Icon"); icon && !icon->empty()) {
        args.push_back("--icon");
        args.push_back(UnescapeString(*icon));
      }
    } else {
      // Other codes expand inside the argument; deprecated ones vanish.
      std::string arg;
      for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '%' || i + 1 == token.size()) {
          arg += token[i];
          continue;
        }
        switch (token[++i]) {
          case '%':
            arg += '%';
            break;
          case 'c':
            arg += UnescapeString(KeyFileValue(*lines, kEntryGroup, "Name").value_or(""));
            break;
          case 'k':
            arg += entryPath;
            break;
          default:
            break;
        }
      }
      if (!arg.empty() || token.find('%') == std::string::npos) args.push_back(std::move(arg));
    }
  }
  if (args.empty() || args.front().empty()) return std::nullopt;
  if (!fileGiven) args.push_back(filePath);
  return args;
}

std::optional<std::string> FindProgram(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    return IsExecutableFile(name) ? std::optional<std::string>(name) : std::nullopt;
  }
  for (const std::string& dir : NonEmpty(Split(EnvOr("PATH", "/usr/bin:/bin"), ':'))) {
    const std::string candidate = dir + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace quilmark::platform
