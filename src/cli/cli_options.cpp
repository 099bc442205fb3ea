#include "cli/cli_options.h"

#include <utility>

#include "lists/list_writer.h"
#include "platform/paths.h"

namespace quilmark::cli {

const char* const kUsage =
    "usage: quilmark-cli export [--relative] [-o OUT.csv] NAME...\n"
    "       quilmark-cli playlist OUT.m3u|OUT.m3u8|OUT.pls [--relative] NAME...\n"
    "       quilmark-cli apply [--charset sjis|euc|utf16|utf16be] [--tag v1|v2.2|v2.3|v2.4] "
    "LIST.csv...\n"
    "       quilmark-cli from-name [--dry-run] [--charset C] [--tag T] PATTERN NAME...\n"
    "       quilmark-cli rename [--dry-run] PATTERN NAME...\n"
    "       quilmark-cli --help\n"
    "\n"
    "NAME is an MP3 file, a folder (the MP3 files in it and in all its subfolders),\n"
    "an M3U, M3U8 or PLS playlist, or a CSV list. A CSV line whose file is named\n"
    "earlier puts its values into that file's row.\n"
    "  export    writes the files' tags as a CSV list with every column (to OUT or\n"
    "            standard output)\n"
    "  playlist  writes the files as a playlist\n"
    "  apply     reads CSV lists, applies their values and writes every changed file\n"
    "            (a Picture column names an image file to set as the front cover)\n"
    "  from-name sets tags from the file names read through PATTERN and writes\n"
    "            every changed file; a line per file on standard output\n"
    "  rename    renames the files after their tags, never over another file; a\n"
    "            line \"OLD<tab>NEW\" per file on standard output\n"
    "  PATTERN   text and placeholders: %track% %artist% %title% %album% %year%\n"
    "            %genre% %comment% %lyricist% %composer% %copyright% %encoder% %url%\n"
    "            %bpm% %orgalbum% %orglyricist% %orgartist% %orgyear%; %dummy% skips\n"
    "            text (from-name only); %% is one %\n"
    "  --dry-run   prints what would change and changes nothing\n"
    "  --relative  paths relative to the written list's folder\n"
    "  --charset   tag text encoding for this run (default: the stored setting)\n"
    "  --tag       tag kind written for this run (default: the stored setting);\n"
    "              v2.4 writes UTF-8 for sjis and euc\n"
    "Ctrl+C while files are read or tags written stops the run between two files\n"
    "(a second one ends it at once); no list is then written, no file renamed.\n"
    "Exit status: 0 done, 1 a file could not be read, written or renamed, or a\n"
    "name did not fit the pattern, 2 bad usage, 130 stopped by Ctrl+C.\n";

namespace {

std::optional<Charset> CharsetValue(const std::string& s) {
  if (s == "sjis") return Charset::ShiftJis;
  if (s == "euc") return Charset::EucJp;
  if (s == "utf16") return Charset::Utf16Le;
  if (s == "utf16be") return Charset::Utf16Be;
  return std::nullopt;
}

std::optional<TagKind> TagValue(const std::string& s) {
  if (s == "v1") return TagKind::Id3v1;
  if (s == "v2.2") return TagKind::Id3v22;
  if (s == "v2.3") return TagKind::Id3v23;
  if (s == "v2.4") return TagKind::Id3v24;
  return std::nullopt;
}

ParseResult Bad(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  Options o;
  if (args.empty()) return Bad("no command given");
  const std::string& verb = args[0];
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return {o, {}};
  if (verb == "help") return {o, {}};
  if (verb == "export") {
    o.verb = Verb::Export;
  } else if (verb == "playlist") {
    o.verb = Verb::Playlist;
  } else if (verb == "apply") {
    o.verb = Verb::Apply;
  } else if (verb == "from-name") {
    o.verb = Verb::FromName;
  } else if (verb == "rename") {
    o.verb = Verb::Rename;
  } else {
    return Bad("unknown command: " + verb);
  }

  const bool naming = o.verb == Verb::FromName || o.verb == Verb::Rename;
  const bool writing = o.verb == Verb::Apply || o.verb == Verb::FromName;
  bool optionsEnded = false;
  bool leadSeen = false;  // the playlist's OUT or the PATTERN, before the names
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      std::string a = arg;
      if (a == "--") {
        optionsEnded = true;
        continue;
      }
      std::string value;
      bool hasValue = false;
      if (const std::size_t eq = a.find('='); a.starts_with("--") && eq != std::string::npos) {
        value = a.substr(eq + 1);
        a.resize(eq);
        hasValue = true;
      }
      auto takeValue = [&]() -> bool {
        if (hasValue) return true;
        if (i + 1 >= args.size()) return false;
        value = args[++i];
        return true;
      };
      if (a == "--relative" && !hasValue && (o.verb == Verb::Export || o.verb == Verb::Playlist)) {
        o.relative = true;
      } else if (a == "-o" && o.verb == Verb::Export) {
        if (!takeValue() || value.empty()) return Bad("-o needs a file name");
        o.output = value;
      } else if (a == "--dry-run" && !hasValue && naming) {
        o.dryRun = true;
      } else if (a == "--charset" && writing) {
        if (!takeValue() || !(o.charset = CharsetValue(value)))
          return Bad("--charset takes sjis, euc, utf16 or utf16be");
      } else if (a == "--tag" && writing) {
        if (!takeValue() || !(o.tagKind = TagValue(value)))
          return Bad("--tag takes v1, v2.2, v2.3 or v2.4");
      } else {
        return Bad("unknown option for " + verb + ": " + args[i]);
      }
      continue;
    }
    if ((o.verb == Verb::Playlist || naming) && !leadSeen) {
      (naming ? o.pattern : o.output) = arg;
      leadSeen = true;
      continue;
    }
    o.names.push_back(arg);
  }

  if (o.verb == Verb::Playlist) {
    if (!leadSeen) return Bad("playlist needs OUT.m3u, OUT.m3u8 or OUT.pls");
    if (ListKindOf(o.output) != ListKind::Playlist)
      return Bad("the playlist name must end with .m3u or .pls: " + o.output);
  }
  if (o.verb == Verb::Apply) {
    for (const std::string& name : o.names)
      if (platform::UpperExtension(name) != ".CSV")
        return Bad("apply reads CSV lists only: " + name);
  }
  if (naming && !leadSeen) return Bad(verb + " needs a PATTERN");
  if (o.names.empty()) return Bad("no files given");
  return {std::move(o), {}};
}

}  // namespace quilmark::cli
