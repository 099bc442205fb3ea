// The one place that knows how a path is taken apart. On this platform "/"
// separates folders; lists written by Windows programs use "\", which is
// read as a separator too.
#pragma once

#include <string>
#include <string_view>

namespace quilmark::platform {

inline constexpr char kPathSeparator = '/';

bool IsPathSeparator(char c);  // '/' or '\\'

// Folder part of a path up to and including its last separator ("" if none).
std::string FolderPart(std::string_view path);
// What follows the folder part.
std::string FileNamePart(std::string_view path);
// The text from the last "." of the file name, upper-cased ASCII (".MP3"),
// or "" when the file name has no dot.
std::string UpperExtension(std::string_view path);

// Absolute, normal form of a path against the current directory: "\" read as
// "/", "." and ".." parts resolved, repeated separators collapsed. Symbolic
// links are not followed. "" stays "".
std::string FullPath(std::string_view path);

std::string CurrentDirectory();
bool SetCurrentDirectory(const std::string& dir);

}  // namespace quilmark::platform
