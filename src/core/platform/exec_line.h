// The Exec line of a desktop entry: its quoting, and the command it gives
// for opening one file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark::platform {

// Splits an Exec value (already unescaped as a desktop string) into its
// arguments: blanks and tabs separate them, double quotes group them, and
// inside quotes a backslash takes the next '"', '`', '$' or '\\' as it is.
// nullopt when a quote is left open.
std::optional<std::vector<std::string>> SplitExec(std::string_view exec);
// Quotes one argument for an Exec value.
std::string QuoteExecArgument(std::string_view argument);

// The argument vector an entry's Exec line gives for opening `filePath`:
// %f and %F give the path, %u and %U its file URI, %i "--icon" and the
// entry's Icon, %c its Name, %k the entry's path and %% a '%'; other codes
// vanish. The file is appended when the line takes none. nullopt when the
// entry cannot be read or has no usable Exec line.
std::optional<std::vector<std::string>> CommandForFile(const std::string& entryPath,
                                                       const std::string& filePath);

}  // namespace quilmark::platform
