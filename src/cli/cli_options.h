// The command line of quilmark-cli, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tag/tag_kind.h"
#include "text/charset.h"

namespace quilmark::cli {

enum class Verb { Help, Export, Playlist, Apply };

struct Options {
  Verb verb = Verb::Help;
  bool relative = false;           // --relative
  std::string output;              // export -o, playlist OUT ("" = standard output)
  std::optional<Charset> charset;  // apply --charset
  std::optional<TagKind> tagKind;  // apply --tag
  std::vector<std::string> names;
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: bad usage
  std::string error;               // what was wrong
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace quilmark::cli
