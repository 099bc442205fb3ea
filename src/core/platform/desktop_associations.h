// File associations over the desktop's own conventions (freedesktop
// shared-mime-info and desktop entries), served as the HKEY_CLASSES_ROOT part
// of the registry:
//
//   ".mp3"                           exists when the MIME database has a glob
//                                    for the extension; default value = its
//                                    MIME type ("audio/mpeg")
//   "audio/mpeg"                     exists when the MIME type is known
//   "audio/mpeg\shell"               likewise
//   "audio/mpeg\shell\quilmark"      exists when the program's desktop entry
//                                    lists the MIME type; default value = the
//                                    entry's Name
//   "...\shell\quilmark\command"     default value = the command line
//                                    ("<program>" "%1"), from the entry's Exec
//
// The program has one desktop entry, quilmark.desktop, so that it is one item
// in the menu and in a file's list of programs to open it with. Installed, it
// is the package's menu entry (in $XDG_DATA_DIRS); the user's choice of types
// is a copy of it under the same name in $XDG_DATA_HOME/applications, which
// the desktop reads instead, and which goes again once it says nothing the
// installed entry does not. Its name and command are the package's: writing
// the verb's caption or command only makes sure the type is listed. Not
// installed (run from its build folder), the program writes an entry of its
// own there, named "タグ編集", hidden from the menu, running the program
// itself; deleting its last type deletes it.
//
// Creating the verb makes the program one that opens the type, never the one
// that opens it by default: an application that opens the type by default
// only because the desktop picks it (no mimeapps.list names a default) is
// first written down as the default in $XDG_CONFIG_HOME/mimeapps.list.
//
// Only those two files are written; every other key is read-only and writing
// to it fails with RegistryError. After a change the user's desktop database
// is refreshed when the tool for it is installed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/xdg_dirs.h"

namespace quilmark::platform {

inline constexpr std::string_view kVerbKeyName = "quilmark";
inline constexpr std::string_view kVerbCaption = "タグ編集";

class DesktopAssociations : public RegistryBackend {
 public:
  struct Options {
    XdgDirs dirs;
    // Used for the Exec line of an entry created before its command is written.
    std::string programPath;
    // Run on the applications folder after each change when found on PATH
    // (or, when it holds a "/", at that path); empty: never.
    std::string refreshTool = "update-desktop-database";
  };

  explicit DesktopAssociations(Options options);

  // $XDG_DATA_HOME/applications/quilmark.desktop
  std::string EntryPath() const;

  bool KeyExists(const std::string& key) const override;
  std::optional<RegValue> ReadValue(const std::string& key, const std::string& name) const override;
  void CreateKey(const std::string& key) override;
  void WriteValue(const std::string& key, const std::string& name, const RegValue& value) override;
  bool DeleteKey(const std::string& key) override;
  void Flush() override {}

 private:
  struct Entry;  // the desktop entry's lines
  // The entry the desktop reads: the user's, else the installed one.
  Entry LoadEntry() const;
  // The installed menu entry's lines, if the program is installed.
  std::optional<std::vector<std::string>> InstalledEntry() const;
  // Adds or removes one MIME type and writes the result.
  void ListType(const std::string& mimeType, bool listed);
  // Writes `entry` listing `types`: the user's copy of the installed entry,
  // or the program's own.
  void SaveTypes(Entry entry, const std::vector<std::string>& types);
  void SaveEntry(const Entry& entry);
  // Writes the application that opens `mimeType` by default now into the
  // user's mimeapps.list when nothing there or elsewhere names it.
  void KeepDefaultApplication(const std::string& mimeType);
  void Refresh() const;

  Options options_;
};

}  // namespace quilmark::platform
