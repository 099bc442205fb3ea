// The other taggers that files are held against: mutagen (Debian's
// python3-mutagen under Debian's own Python) and TagLib (libtag1-dev,
// through the small reader in tests/peers); scripts/setup installs both.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quilmark::testing {

// Why mutagen cannot be run here, or "" when it can.
std::string MutagenMissing();

// Runs a Python script with the arguments and gives its output by line:
// the line's first word, then the rest of the line (the rests of lines
// with the same first word joined by " | "). A script that fails fails the
// test.
std::map<std::string, std::string> RunPythonScript(std::string_view script,
                                                   const std::vector<std::string>& args);

// How mutagen reads the file's tags: "version" (1.1 for an ID3v1 block),
// then one entry per frame: COMM language, description and text; WXXX
// description and address; APIC MIME type, kind, description and whether
// its data equals the file `picture`; TXXX description and text; a text
// frame its first text. Text that says Latin-1 shows its raw bytes
// (Shift-JIS shows through), other text is UTF-8.
std::map<std::string, std::string> ReadWithMutagen(const std::string& file,
                                                   const std::string& picture = {});

// Why the TagLib reader is not there, or "" when it is.
std::string TagLibMissing();

// How TagLib reads the file's ID3v2 tag, in the entries ReadWithMutagen
// gives (people lists aside).
std::map<std::string, std::string> ReadWithTagLib(const std::string& file,
                                                  const std::string& picture = {});

}  // namespace quilmark::testing
