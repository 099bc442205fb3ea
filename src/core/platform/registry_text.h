// The text form of a registry, as the settings file holds it, one item per
// line (UTF-8; a trailing CR is ignored):
//   ; comment                         also blank lines
//   [Software\QUIL\QUILMARK]          a key, by its full path; the values below
//                                     belong to it until the next key
//   "ShowToolbar"=dword:00000001      a REG_DWORD value, hexadecimal (1 to 8 digits)
//   "WinSize"="-1,-1,-1,-1"           a REG_SZ value
//   "Path"=expand:"%HOME%/x"          a REG_EXPAND_SZ value, kept unexpanded
//   @="text"                          the key's default value (the name "")
// Inside quotes, \\ is a backslash, \" a quote, \n a line feed, \r a carriage
// return, \t a tab and \xHH any other byte, so every text comes back exactly.
// Anything else (an unknown type, bad hex digits, a missing closing quote,
// a value before the first key, text after a value) is an error. A key that
// appears twice is one key; a value that appears twice keeps the last one.
// A UTF-8 byte-order mark at the start is passed over.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_tree.h"

namespace quilmark::platform {

struct RegistryTextError {
  int line = 0;      // 1 for the first line
  std::string what;  // what is wrong with it
};

// Adds the keys and values of `text` to `tree`; the first error found,
// with what was read before it added.
[[nodiscard]] std::optional<RegistryTextError> ParseRegistryText(std::string_view text,
                                                                 RegistryTree& tree);

// The tree as text, keys in case-folded order; a key without values is
// written only when no subkey implies it.
std::string FormatRegistryText(const RegistryTree& tree);

// One change to a registry, as its text is to take it.
struct RegistryEdit {
  enum class Kind { SetValue, CreateKey, DeleteKey };
  Kind kind = Kind::SetValue;
  std::string key;
  std::string name;  // SetValue
  RegValue value;    // SetValue
};

// Applies `edits` in order to `text`, line by line, leaving every line they
// do not concern as it is: comments, blank lines, and keys and values
// others may have written meanwhile. A value set replaces the line that
// holds it (the last one, where it appears twice) or comes after the last
// line of its key, or in a new [key] section at the end; a key made gets a
// section at the end unless it has one; a key removed loses its sections
// and those of its subkeys. On an error in `text` (as ParseRegistryText
// finds it) `text` is left unchanged.
[[nodiscard]] std::optional<RegistryTextError> EditRegistryText(
    std::string& text, const std::vector<RegistryEdit>& edits);

}  // namespace quilmark::platform
