#include "bridge/peer_readers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "support/temp_dir.h"

namespace quilmark::testing {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

constexpr const char* kReadScript = R"PY(
import sys
from mutagen.id3 import ID3
tag = ID3(sys.argv[1])
def raw(text, encoding):
    return str(text).encode('latin-1' if encoding == 0 else 'utf-8')
def line(*fields):
    sys.stdout.buffer.write(b' '.join(f if isinstance(f, bytes) else str(f).encode() for f in fields) + b'\n')
line('version', '%d.%d' % tag.version[:2])
for frame in tag.values():
    if frame.FrameID == 'COMM':
        line('COMM', frame.lang, raw(frame.desc, frame.encoding), raw(frame.text[0], frame.encoding))
    elif frame.FrameID == 'WXXX':
        line('WXXX', raw(frame.desc, frame.encoding), frame.url)
    elif frame.FrameID == 'APIC':
        same = frame.data == open(sys.argv[2], 'rb').read()
        line('APIC', frame.mime, int(frame.type), raw(frame.desc, frame.encoding), same)
    elif frame.FrameID == 'TXXX':
        line('TXXX', raw(frame.desc, frame.encoding), raw(frame.text[0], frame.encoding))
    elif hasattr(frame, 'text'):
        line(frame.FrameID, raw(frame.text[0], frame.encoding))
)PY";

}  // namespace

std::string MutagenMissing() {
  if (access(kPython, X_OK) == 0 &&
      std::system((std::string(kPython) + " -c 'import mutagen' 2>/dev/null").c_str()) == 0) {
    return {};
  }
  return std::string("mutagen for ") + kPython +
         " is missing (Debian package python3-mutagen; scripts/setup installs it)";
}

namespace {

// Runs the command and gives its output by line (see RunPythonScript).
std::map<std::string, std::string> RunReader(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return {};
  std::array<char, 4096> buffer;
  while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
    output.append(buffer.data(), n);
  EXPECT_EQ(pclose(pipe), 0) << output;
  std::map<std::string, std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    std::string& seen = lines[line.substr(0, space)];
    seen += (seen.empty() ? "" : " | ") + line.substr(space + 1);
  }
  return lines;
}

}  // namespace

std::map<std::string, std::string> RunPythonScript(std::string_view script,
                                                   const std::vector<std::string>& args) {
  TempDir dir;
  const std::string scriptPath = dir.File("script.py");
  WriteBytes(scriptPath, script);
  std::string command = std::string(kPython) + " '" + scriptPath + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  return RunReader(command);
}

std::map<std::string, std::string> ReadWithMutagen(const std::string& file,
                                                   const std::string& picture) {
  return RunPythonScript(kReadScript, {file, picture});
}

std::string TagLibMissing() {
#ifdef QUILMARK_TAGLIB_READER
  return {};
#else
  return "TagLib was not found at build time (Debian package libtag1-dev; scripts/setup "
         "installs it)";
#endif
}

std::map<std::string, std::string> ReadWithTagLib(const std::string& file,
                                                  const std::string& picture) {
#ifdef QUILMARK_TAGLIB_READER
  return RunReader(std::string("'") + QUILMARK_TAGLIB_READER + "' '" + file + "' '" + picture +
                   "'");
#else
  return {};
#endif
}

}  // namespace quilmark::testing
