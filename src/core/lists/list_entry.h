// Paths inside lists: how an entry of a playlist or CSV file names a file,
// and how a written list names its files relative to its own folder.
#pragma once

#include <string>
#include <string_view>

namespace quilmark {

// The file an entry names, as an absolute path in normal form (the form
// every row's path has, so that one file is one row however a list spells
// it). "\" in an entry is a folder separator (lists written on Windows). A
// relative entry, one that climbs with ".." included, starts at the list
// file's folder. An empty entry stays empty.
std::string ResolveListEntry(std::string_view entry, std::string_view listFile);

// `target` as seen from the folder `baseFolder` (which ends with a
// separator): "../" for each folder of the base below the common ones, then
// the target's own folders and its name. Folder names are compared exactly,
// since this platform's file names are case-sensitive. When only one of
// the two is absolute there is nothing to relate, and target comes back
// unchanged.
std::string MakeRelativePath(std::string_view baseFolder, std::string_view target);

}  // namespace quilmark
