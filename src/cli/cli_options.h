// The command line of quilmark-cli, parsed.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quilmark::cli {

enum class Verb { Help, Export, Playlist, Apply };

struct Options {
  Verb verb = Verb::Help;
  bool relative = false;          // --relative
  std::string output;             // export -o, playlist OUT ("" = standard output)
  std::optional<int> charset;     // apply --charset (Charset setting value)
  std::optional<int> tagVersion;  // apply --tag (WriteTagVersion value)
  std::vector<std::string> names;
};

struct ParseResult {
  std::optional<Options> options;  // nullopt: bad usage
  std::string error;               // what was wrong
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace quilmark::cli
