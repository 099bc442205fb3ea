// The files in a folder and in all the folders below it, found by walking
// the tree through descriptors: each folder is opened relative to the one
// it is in, so a folder swapped for a link half-way cannot send the walk
// elsewhere, and nothing is ever opened but folders (a FIFO is looked at,
// never waited on).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io_result.h"

namespace quilmark::platform {

struct FolderWalkProblem {
  std::string folder;  // with no trailing separator, as the walk named it
  IoError error;
};

struct FolderWalkResult {
  // Paths of the files taken: the root as given, then the names below it
  // joined with "/". In path order: names compared byte by byte, folder by
  // folder, so a folder's files and subfolders come between the names
  // around its own.
  std::vector<std::string> files;
  // Folders that could not be opened or read to the end, in the order met;
  // the walk goes on past them.
  std::vector<FolderWalkProblem> problems;
  bool stopped = false;  // `keepGoing` said no
};

struct FolderWalkOptions {
  // Whether a regular file of this name is taken (its kind is known by
  // then; links to files are taken under the link's name).
  std::function<bool(std::string_view name)> wanted;
  // Called for every folder entered and every file taken, with the number
  // of files taken so far; false ends the walk where it is.
  std::function<bool(std::size_t found)> keepGoing;
};

// Walks `root` and every folder below it. Names beginning with "." are
// passed by (hidden files and folders). Links are followed, but each folder
// is read once: a link that leads back up the tree, or to a folder already
// read, is passed by, so a circle of links ends. Anything that is neither a
// folder nor a regular file (FIFOs, devices, sockets, broken links) is
// passed by.
FolderWalkResult WalkFolder(const std::string& root, const FolderWalkOptions& options);

}  // namespace quilmark::platform
