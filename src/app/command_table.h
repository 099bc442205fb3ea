// Every command of the main window as data: one row per action (name,
// caption, shortcut, hint, image, handler), and the menus, the tool bar and
// the pop-up menu as lists of action names. The window builds its actions
// from these rows in one loop.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/command_handlers.h"

namespace quilmark {

// The command images, numbered as the image list holds them.
enum class CommandImage : int {
  None = -1,
  Add = 0,
  WriteTags = 1,
  WriteList = 2,
  Exit = 3,
  DeleteRow = 4,
  Undo = 5,
  Cut = 6,
  Copy = 7,
  Paste = 8,
  Sort = 9,
  Play = 10,
  HiddenCopy = 11,
  HiddenCut = 12,
  HiddenPaste = 13,
  HiddenUndo = 14,
  AddFolder = 15,
};

struct CommandEntry {
  std::string name;      // object name, "actFileAdd"
  std::string category;  // "File", "Edit", ...
  std::string caption;   // with its "&" accelerator
  std::string shortcut;  // portable key text ("Ctrl+A"), or empty
  std::string hint;      // "short|long"; the long part goes to the status bar
  CommandImage image = CommandImage::None;
  bool checkable = false;
  void (CommandHandlers::*run)() = nullptr;
  int field = -1;       // a field's show action (run is then ToggleColumnVisible)
  int conversion = -1;  // a conversion of the selection (run is then ConvertSelection)
};

const std::vector<CommandEntry>& CommandTable();
const CommandEntry* FindCommand(std::string_view name);

// The two halves of a hint: before and after the first "|" (both the whole
// hint when it has none).
std::string ShortHint(std::string_view hint);
std::string LongHint(std::string_view hint);

// A menu: its caption, hint and entries. An entry is an action name, "-"
// for a separator, or ">" followed by the index of a submenu in MenuTable.
struct MenuSpec {
  std::string name;
  std::string caption;
  std::string hint;
  std::vector<std::string> entries;
  bool visible = true;
  bool topLevel = true;
};

const std::vector<MenuSpec>& MenuTable();

// The tool bar, left to right ("-" is a separator).
const std::vector<std::string>& ToolBarEntries();

// The grid's pop-up menu, in order.
enum PopupItem : int {
  pmAdd,
  pmSep1,
  pmSelGenre,
  pmv2Comment,
  pmFillCol,
  pmSort,
  pmHideCol,
  pmSep2,
  pmPlay,
  pmEraseTag,
  pmDeleteRow,
  pmSep3,
  pmCut,
  pmCopy,
  pmPaste,
  pmDeleteCell,
  kPopupItemCount
};

struct PopupSpec {
  std::string name;     // "pmAdd"
  std::string caption;  // empty: the caption of `command`; separators have none
  std::string command;  // the action whose handler the item runs; empty: separator
};

const std::vector<PopupSpec>& PopupTable();

}  // namespace quilmark
