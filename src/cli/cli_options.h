// The command line of quilmark-cli, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tag/tag_kind.h"
#include "text/charset.h"

namespace quilmark::cli {

enum class Verb { Help, Export, Playlist, Apply, FromName, Rename };

struct Options {
  Verb verb = Verb::Help;
  bool relative = false;           // --relative
  std::string output;              // export -o, playlist OUT ("" = standard output)
  std::optional<Charset> charset;  // apply and from-name --charset
  std::optional<TagKind> tagKind;  // apply and from-name --tag
  std::string pattern;             // from-name and rename PATTERN
  bool dryRun = false;             // from-name and rename --dry-run
  std::vector<std::string> names;
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: bad usage
  std::string error;               // what was wrong
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace quilmark::cli
